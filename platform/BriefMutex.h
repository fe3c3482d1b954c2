// A lock that many workers take often and hold for a few hundred
// instructions: a waiter spins a little, the holder being about to let go,
// before it sleeps, since sleeping and being woken cost far more than such
// a wait.
#pragma once

#include <pthread.h>

class BriefMutex {
public:
    BriefMutex() {
        pthread_mutexattr_t attr;
        pthread_mutexattr_init(&attr);
        pthread_mutexattr_settype(&attr, PTHREAD_MUTEX_ADAPTIVE_NP);
        pthread_mutex_init(&m_, &attr);
        pthread_mutexattr_destroy(&attr);
    }
    ~BriefMutex() { pthread_mutex_destroy(&m_); }
    BriefMutex(const BriefMutex&) = delete;
    BriefMutex& operator=(const BriefMutex&) = delete;

    void lock() { pthread_mutex_lock(&m_); }
    bool try_lock() { return pthread_mutex_trylock(&m_) == 0; }
    void unlock() { pthread_mutex_unlock(&m_); }

private:
    pthread_mutex_t m_;
};
