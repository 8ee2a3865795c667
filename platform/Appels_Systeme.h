#pragma once
// The system calls through which the file door writes, makes its writes durable and takes its
// locks. The door calls them through this table only, so that a test can make one of them fail
// or stop the program at a given call, as a failing disk or a power cut would.
#include <cstddef>
#include <sys/types.h>

namespace plateforme {

struct AppelsSysteme {
    ssize_t (*write)(int fd, const void* octets, size_t taille);
    int (*fsync)(int fd);
    int (*fdatasync)(int fd);
    int (*rename)(const char* ancien, const char* nouveau);
    int (*link)(const char* existant, const char* nouveau);
    int (*flock)(int fd, int operation);
    // Closes a file the door wrote: a late write error (a network share, a full quota) is told
    // here. The file is closed whatever the result.
    int (*close)(int fd);
};

// The table in use: the system's own calls until a test replaces some.
AppelsSysteme& appelsSysteme();

} // namespace plateforme
