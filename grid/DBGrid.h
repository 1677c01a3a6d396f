// TrgDBGrid: the database grid as form descriptions create it. It publishes the properties and
// events of the grid family and adds no behaviour of its own.
//
// A form description declares the grid with its columns inside it:
//   object DBGrid1: TrgDBGrid
//     DataSource = DataSource1
//     KeyField = 'id'
//     LookAndFeel = lfFlat
//     OptionsDB = [rgoCancelOnExit, rgoCanDelete, ...]
//     object DBGrid1no: TrgDBGridColumn
//       Caption = '路'
//       FieldName = 'no'
//     end
//   end
// RegisterGridClasses() makes the grid, its column classes and its collections known by name.
#pragma once

#include "grid/CustomDBGrid.h"

namespace bus {

class TrgDBGrid : public TCustomrgDBGrid {
  BUS_CLASS(TrgDBGrid)
public:
  explicit TrgDBGrid(TComponent* owner) : TCustomrgDBGrid(owner) {}
};

// Registers TrgDBGrid, TrgDBGridColumn and the other creatable grid classes.
void RegisterGridClasses();

}  // namespace bus
