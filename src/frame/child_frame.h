// The MDI child frame of every editor window.
#pragma once
#include "fx/fx_mdichild.h"

class CChildFrame : public FxMDIChild {};
