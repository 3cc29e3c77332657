/* The credential library: the general database's user name and password.
 *
 * VeltranoOrdinal1() and VeltranoOrdinal2() return NUL-terminated strings that
 * stay valid until the next call; callers copy them at once and never free
 * them. Both return NULL when the credentials cannot be read.
 *
 * The credentials are the first two lines (user name, password) of the file
 * "config/general.credentials" under the site root: $CORVANE_SITE, or else
 * $XDG_DATA_HOME/Corvane, or else $HOME/.local/share/Corvane. The file must be
 * a regular file readable by its owner only (mode 0600 or 0400); any other
 * permissions make the library refuse it. */
#ifndef VELTRANO_H
#define VELTRANO_H

#ifdef __cplusplus
extern "C" {
#endif

const char* VeltranoOrdinal1(void);
const char* VeltranoOrdinal2(void);

#ifdef __cplusplus
}
#endif

#endif
