// The program's resources, as the platform layer looks them up.
#pragma once

#include "platform/ResourceProvider.h"

const ResourceProvider& ProgramResources();
