#include "tests/framework/controls/KindsFrame.h"

#include "framework/Properties.h"

namespace bus::test {

namespace {
const char* const kFrameDescription = R"(
object fraKinds: TfraKinds
  Width = 300
  Height = 32
  object Label1: TLabel
    Left = 4
    Top = 8
    Caption = '换乘站:'
  end
  object Edit1: TEdit
    Left = 56
    Top = 4
    Width = 120
    Text = '钟楼'
    TabOrder = 0
  end
  object Button1: TButton
    Left = 184
    Top = 3
    Width = 75
    Caption = '查询'
    TabOrder = 1
    OnClick = Button1Click
  end
end
)";
}  // namespace

const TClassInfo& TfraKinds::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TfraKinds>("TfraKinds", TFrame::StaticClassInfo()).Creatable().Build();
  return info;
}

TfraKinds::TfraKinds(TComponent* owner) : TFrame(owner) {
  PublishMethod("Button1Click", &TfraKinds::Button1Click);
  PublishField("Edit1", &Edit1);
  PublishField("Button1", &Button1);
  Build(kFrameDescription);
}

void TfraKinds::Button1Click(TObject*) { ++Clicks; }

}  // namespace bus::test
