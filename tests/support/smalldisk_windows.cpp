#include "smalldisk.h"

// No file system of a chosen size can be made here: the tests that need
// one say so and skip.
SmallFileSystem::SmallFileSystem(qint64) {}

SmallFileSystem::SmallFileSystem(const QByteArray &) {}

SmallFileSystem::~SmallFileSystem() = default;

bool SmallFileSystem::resize(qint64)
{
    return false;
}

bool SmallFileSystem::mount(qint64, unsigned long)
{
    return false;
}
