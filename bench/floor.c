/* The floor for catalogue benchmarks: reads every file of a folder whole and does nothing else.
 * Usage: read-floor DIR */
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

int main(int argc, char** argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: read-floor DIR\n");
        return 2;
    }
    DIR* dir = opendir(argv[1]);
    if (!dir)
        return 1;
    static char buffer[1 << 16];
    char path[4096];
    long files = 0;
    long long bytes = 0;
    struct dirent* entry;
    while ((entry = readdir(dir)) != NULL) {
        if (entry->d_name[0] == '.')
            continue;
        snprintf(path, sizeof path, "%s/%s", argv[1], entry->d_name);
        int fd = open(path, O_RDONLY);
        if (fd < 0)
            continue;
        ssize_t n;
        while ((n = read(fd, buffer, sizeof buffer)) > 0)
            bytes += n;
        close(fd);
        ++files;
    }
    closedir(dir);
    printf("%ld files, %lld bytes\n", files, bytes);
    return 0;
}
