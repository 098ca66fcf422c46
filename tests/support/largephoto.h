// A 4000 x 2920 picture with a field photo's worth of detail, so that JPEG files of it have realistic sizes.
#pragma once

#include <QImage>

namespace TestSupport
{
QImage drawLargePhoto(int seed);
}
