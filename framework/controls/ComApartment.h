// Joining a thread to the component object services, on first need.
#pragma once

namespace bus {

// Joins the calling thread to a single-threaded apartment the first time it is called on that
// thread; the thread leaves the apartment when it ends. Call it before anything that needs the
// services (shell "open", image decoding, URL download): their DLLs then load only when first
// used, not with the program. Returns whether the thread can use the services (a thread that
// already joined a multi-threaded apartment also can).
bool JoinComApartment();

}  // namespace bus
