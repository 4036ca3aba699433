#pragma once
// The standard controls, each a thin wrapper over its system control class,
// one header per family.
#include "ui/controls_buttons.h"
#include "ui/controls_combo_box.h"
#include "ui/controls_edits.h"
#include "ui/controls_image.h"
#include "ui/controls_labels.h"
#include "ui/controls_list_box.h"
#include "ui/controls_panels.h"
