// A line kept in a store of lines that several holders share: a results
// list shows it and a run's record names it, one copy for both. The store
// only grows while shared, so the line's number stays valid; each holder
// keeps the store alive as long as it needs the line.
#pragma once

#include <cstddef>
#include <memory>

#include "core/LineStore.h"

struct SharedLine {
    const std::shared_ptr<LineStore>* store = nullptr;  // null: the line is kept nowhere to share
    std::size_t index = 0;
    explicit operator bool() const { return store && *store; }
};
