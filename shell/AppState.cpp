#include "shell/AppState.h"

namespace {
int DefaultsCreatedState = 2;
int FirstActivationState = 2;
}  // namespace

int GetDefaultsCreatedState() { return DefaultsCreatedState; }
void SetDefaultsCreatedState(int value) { DefaultsCreatedState = value; }
int GetFirstActivationState() { return FirstActivationState; }
void SetFirstActivationState(int value) { FirstActivationState = value; }

void ResetStartStateWords() {
    DefaultsCreatedState = 2;
    FirstActivationState = 2;
}
