#include "veltrano.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>

#define FIELD_MAX 256

static char user_name[FIELD_MAX];
static char password[FIELD_MAX];

static int credentials_path(char* out, size_t size) {
    const char* site = getenv("CORVANE_SITE");
    int n;
    if (site && *site)
        n = snprintf(out, size, "%s/config/general.credentials", site);
    else {
        const char* xdg = getenv("XDG_DATA_HOME");
        const char* home = getenv("HOME");
        if (xdg && *xdg)
            n = snprintf(out, size, "%s/Corvane/config/general.credentials", xdg);
        else if (home && *home)
            n = snprintf(out, size, "%s/.local/share/Corvane/config/general.credentials", home);
        else
            return 0;
    }
    return n > 0 && (size_t)n < size;
}

static void chomp(char* s) {
    size_t len = strlen(s);
    while (len > 0 && (s[len - 1] == '\n' || s[len - 1] == '\r'))
        s[--len] = '\0';
}

/* Reads the line `which` (0 or 1) into `out`; 1 on success. */
static int read_line(int which, char* out) {
    char path[4096];
    struct stat st;
    FILE* f;
    char line[FIELD_MAX];
    int i;
    if (!credentials_path(path, sizeof path))
        return 0;
    if (stat(path, &st) != 0 || !S_ISREG(st.st_mode) || (st.st_mode & 077) != 0)
        return 0;
    f = fopen(path, "r");
    if (!f)
        return 0;
    for (i = 0; i <= which; ++i) {
        if (!fgets(line, sizeof line, f)) {
            fclose(f);
            return 0;
        }
    }
    fclose(f);
    chomp(line);
    memcpy(out, line, strlen(line) + 1);
    return 1;
}

const char* VeltranoOrdinal1(void) { return read_line(0, user_name) ? user_name : NULL; }

const char* VeltranoOrdinal2(void) { return read_line(1, password) ? password : NULL; }
