#pragma once
// The file error lives with the file helpers of the platform layer.
#include "platform/FileError.h"
