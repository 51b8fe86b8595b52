#pragma once

#include "labelqueue/DbfFileHooks.h"
#include "labelqueue/DbfTable.h"

#include <memory>

struct DbfTable::Io {
    DBFHandle handle = nullptr;
    std::shared_ptr<DbfIoState> state;
};
