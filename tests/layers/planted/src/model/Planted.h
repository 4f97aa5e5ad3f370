#pragma once

// A model header that reaches up into the view: the layer check must refuse it.
#include "view/GLWidget.h"
