#pragma once

#include <csignal>
#include <sys/resource.h>

// Writes past the limit fail as on a full disk, also for root, whom permissions do not stop.
struct FileSizeLimit final
{
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit {bytes, previous.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &previous); }
    rlimit previous {};
};
