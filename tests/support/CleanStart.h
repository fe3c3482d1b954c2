// Every test starts from the program-wide state of a fresh start, whatever
// ran before it in the same process: the settings store (the program and
// working folders among them) holds its initial values again.
#pragma once

namespace testsupport {
// Adds the listener that resets the state before each test; call once, after InitGoogleTest.
void StartEveryTestClean();
}  // namespace testsupport
