// The standard controls in one include: panel, group box, label, edit, memo, push button and check
// box (each has its own header).
#pragma once

#include "framework/controls/Button.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/Edit.h"
#include "framework/controls/GroupBox.h"
#include "framework/controls/Label.h"
#include "framework/controls/Memo.h"
#include "framework/controls/Panel.h"
