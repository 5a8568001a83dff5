#include "model/SongModel.h"
