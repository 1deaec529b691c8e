/* A test-only stand-in for libXinerama.so.1, built for the host. Wine's X11
 * driver loads that library by name and, with its RandR use turned off, makes
 * one Windows monitor of every screen it lists. Put first on LD_LIBRARY_PATH
 * (tests/win32/run_on_two_monitors does), it lists the screens that
 * VERDO_TEST_MONITORS names, in X root coordinates:
 *
 *     VERDO_TEST_MONITORS=1024x768+0+0,800x600+1024+0
 *
 * Wine takes the first screen listed as the primary monitor (its
 * PrimaryMonitor setting is 0 by default) and shifts all of them so that the
 * primary's origin is (0, 0) in Windows, so a screen listed left of the first
 * gets negative coordinates. The X server itself is not asked: its root
 * window must be large enough to hold every screen.
 *
 * Only what Wine calls and its usual companions are here. Screens are
 * returned in memory from malloc, which the caller gives back with XFree
 * (free underneath). No X headers are needed: the structure below is the
 * library's public XineramaScreenInfo. */
#include <stdio.h>
#include <stdlib.h>

typedef struct _XDisplay Display;
typedef int Bool;
typedef int Status;

typedef struct {
    int screen_number;
    short x_org;
    short y_org;
    short width;
    short height;
} XineramaScreenInfo;

#define MAX_SCREENS 16

/* Parses the layout into `screens`; returns how many, or 0 when the variable
 * is missing or malformed (a malformed one is reported once on stderr). */
static int read_layout(XineramaScreenInfo *screens)
{
    static int complained;
    const char *text = getenv("VERDO_TEST_MONITORS");
    int count = 0;
    if (!text || !*text) return 0;
    while (*text) {
        int width, height, x, y, used = 0;
        if (count == MAX_SCREENS || sscanf(text, "%dx%d%d%d%n", &width, &height, &x, &y, &used) != 4 ||
            width <= 0 || height <= 0 || (text[used] != ',' && text[used] != '\0')) {
            if (!complained) fprintf(stderr, "xinerama stand-in: cannot read VERDO_TEST_MONITORS=%s\n",
                                     getenv("VERDO_TEST_MONITORS"));
            complained = 1;
            return 0;
        }
        screens[count].screen_number = count;
        screens[count].x_org = (short)x;
        screens[count].y_org = (short)y;
        screens[count].width = (short)width;
        screens[count].height = (short)height;
        ++count;
        text += used;
        if (*text == ',') ++text;
    }
    return count;
}

Bool XineramaQueryExtension(Display *display, int *event_base, int *error_base)
{
    XineramaScreenInfo screens[MAX_SCREENS];
    (void)display;
    *event_base = 0;
    *error_base = 0;
    return read_layout(screens) > 0;
}

Status XineramaQueryVersion(Display *display, int *major, int *minor)
{
    (void)display;
    *major = 1;
    *minor = 1;
    return 1;
}

Bool XineramaIsActive(Display *display)
{
    XineramaScreenInfo screens[MAX_SCREENS];
    (void)display;
    return read_layout(screens) > 0;
}

XineramaScreenInfo *XineramaQueryScreens(Display *display, int *number)
{
    XineramaScreenInfo screens[MAX_SCREENS], *copy;
    const int count = read_layout(screens);
    (void)display;
    *number = 0;
    if (count == 0 || !(copy = malloc(sizeof(*copy) * count))) return NULL;
    for (int i = 0; i < count; ++i) copy[i] = screens[i];
    *number = count;
    return copy;
}
