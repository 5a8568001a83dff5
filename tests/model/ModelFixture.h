#pragma once
#include "model/SongModel.h"
#include <gtest/gtest.h>
