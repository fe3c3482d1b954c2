#include "pages/RunBusy.h"

namespace {
int depth = 0;  // guards may nest
}  // namespace

RunBusy::RunBusy() { ++depth; }
RunBusy::~RunBusy() { --depth; }

bool RunBusy::Busy() { return depth > 0; }
