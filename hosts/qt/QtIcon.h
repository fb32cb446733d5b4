// An icon resource as a Qt icon.
#pragma once

#include <QIcon>

#include "platform/Icon.h"

QIcon ToQIcon(HICON icon);
