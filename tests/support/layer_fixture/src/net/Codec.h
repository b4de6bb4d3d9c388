#pragma once

#include "net/Lamp.h"
