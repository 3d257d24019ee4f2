#include "acoustics/levels.hpp"

#include <gtest/gtest.h>
