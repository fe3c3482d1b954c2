/* The C side of SlowShare (tests/support/SlowShare.h). */
#pragma once

#ifdef __cplusplus
extern "C" {
#endif
void SlowShareStart(long perCallUs);
void SlowShareStop(void);
long SlowShareLongestMs(void);
int SlowShareLongestCalls(void);
int SlowShareMostCalls(void);
int SlowShareMostCallsStack(void** frames, int size);
#ifdef __cplusplus
}
#endif
