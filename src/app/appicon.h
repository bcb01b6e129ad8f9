#pragma once

#include <QIcon>

/// The program icon, drawn rather than shipped as a file.
QIcon appIcon();
