/* robo SECONDS: answers the arrows of both lanes of a running game, the way a
 * player watching the screen would, for the docs screenshots. It reads the
 * screen with XGetImage and presses keys with XTest.
 *
 * When it starts, the top of both lanes must show no arrow yet: that picture
 * is kept as the lanes' background. An arrow is seen as pixels that differ
 * from it down the middle of a lane column; its key is pressed once while its
 * top edge crosses the targets. */
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

#define TOPO_PLAYFIELD 29 /* screen row of playfield row 0 */
#define LINHAS 60         /* playfield rows watched from the top */
#define ALVO_MIN 12       /* press while the arrow's top edge is in these rows */
#define ALVO_MAX 36

static const int COLUNAS[4] = {9, 40, 71, 102}; /* left, down, up, right */
static const KeySym TECLAS[2][4] = {{XK_a, XK_s, XK_w, XK_d},
                                    {XK_KP_1, XK_KP_2, XK_KP_5, XK_KP_3}};

static double agora(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

/* Top row (playfield) of what differs from the background in column x, or -1. */
static int topo_da_seta(XImage* img, XImage* fundo, int x) {
    for (int y = 0; y < LINHAS; y++)
        for (int dx = 10; dx <= 20; dx += 5)
            if (XGetPixel(img, x + dx, y) != XGetPixel(fundo, x + dx, y)) return y;
    return -1;
}

int main(int argc, char** argv) {
    double duracao = argc > 1 ? atof(argv[1]) : 10;
    Display* d = XOpenDisplay(NULL);
    if (!d) return 1;
    Window raiz = DefaultRootWindow(d);
    XImage* fundo = XGetImage(d, raiz, 0, TOPO_PLAYFIELD, 640, LINHAS, AllPlanes, ZPixmap);
    double ultimo[2] = {0, 0};
    int acertos = 0;
    double fim = agora() + duracao;
    while (agora() < fim) {
        XImage* img = XGetImage(d, raiz, 0, TOPO_PLAYFIELD, 640, LINHAS, AllPlanes, ZPixmap);
        for (int p = 0; p < 2; p++) {
            if (agora() - ultimo[p] < 0.25) continue;
            for (int c = 0; c < 4; c++) {
                int topo = topo_da_seta(img, fundo, COLUNAS[c] + 499 * p);
                if (topo < ALVO_MIN || topo > ALVO_MAX) continue;
                KeyCode k = XKeysymToKeycode(d, TECLAS[p][c]);
                XTestFakeKeyEvent(d, k, True, 0);
                XFlush(d);
                usleep(30000);
                XTestFakeKeyEvent(d, k, False, 0);
                XFlush(d);
                ultimo[p] = agora();
                acertos++;
                break;
            }
        }
        XDestroyImage(img);
        usleep(4000);
    }
    XDestroyImage(fundo);
    XCloseDisplay(d);
    printf("robo: %d keys pressed\n", acertos);
    return 0;
}
