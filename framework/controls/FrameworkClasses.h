// Registers every creatable class of the widget layer with the class registry, so that form
// descriptions can name them. Call once before the first form is built (TApplication does it).
#pragma once

namespace bus {

void RegisterFrameworkClasses();

}  // namespace bus
