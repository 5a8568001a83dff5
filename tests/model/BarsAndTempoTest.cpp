#include "ModelFixture.h"
