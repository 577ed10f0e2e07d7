// Placeholder until the engine lands.
#include "engine/imageview.h"
