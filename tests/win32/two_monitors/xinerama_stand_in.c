/* A test-only stand-in for libXinerama.so.1, built for the host. Wine's X11
 * driver loads that library by name and, with its RandR use turned off, makes
 * a Windows monitor of every screen it lists; so does the window manager of the
 * test screens. First on LD_LIBRARY_PATH (as
 * tests/win32/run_on_two_monitors puts it), it lists the screens named in X
 * root coordinates by VERDO_TEST_MONITORS, e.g. 1024x768+0+0,800x600+1024+0.
 * Wine takes the first as the primary and shifts them all so that the
 * primary's origin is (0, 0): a screen left of it gets negative coordinates.
 * The returned array is malloc's, which XFree gives back. */
#include <stdio.h>
#include <stdlib.h>

typedef struct _XDisplay Display;
typedef int Bool;

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

/* Window managers ask this too before they read the screens. */
Bool XineramaIsActive(Display *display)
{
    XineramaScreenInfo screens[MAX_SCREENS];
    (void)display;
    return read_layout(screens) > 0;
}

int XineramaQueryVersion(Display *display, int *major, int *minor)
{
    (void)display;
    *major = 1;
    *minor = 1;
    return 1;
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
