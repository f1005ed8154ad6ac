#include "common/scene.h"

Scene scene;
