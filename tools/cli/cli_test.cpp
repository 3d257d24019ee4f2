#include "cli/cli.hpp"

#include <gtest/gtest.h>
