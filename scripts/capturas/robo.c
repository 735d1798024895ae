/* robo SECONDS [ARROWS_P1 [ARROWS_P2 [HOLD_MS]]]: answers the arrows of both
 * lanes of a running game, the way a player watching the screen would: for
 * the docs screenshots, and for the end-to-end tests that check each
 * player's answer keys. It reads the screen with XGetImage and presses keys
 * with XTest.
 *
 * ARROWS_Pn says which arrows of player n's lane to answer, counted from 1 in
 * the order they cross the targets after the robot starts: "A-B", "0" for
 * none, default all. HOLD_MS is how long each key is held (default 30; under
 * wine, whose frames can come late, longer).
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

/* "A-B", "0" or nothing: the first and last arrow to answer. */
static void faixa(const char* texto, int* primeira, int* ultima) {
    *primeira = 1;
    *ultima = 1 << 30;
    if (texto && sscanf(texto, "%d-%d", primeira, ultima) == 1) *ultima = *primeira;
}

int main(int argc, char** argv) {
    double duracao = argc > 1 ? atof(argv[1]) : 10;
    int primeira[2], ultima[2];
    faixa(argc > 2 ? argv[2] : NULL, &primeira[0], &ultima[0]);
    faixa(argc > 3 ? argv[3] : NULL, &primeira[1], &ultima[1]);
    double segurar = (argc > 4 ? atof(argv[4]) : 30) / 1000;
    Display* d = XOpenDisplay(NULL);
    if (!d) return 1;
    Window raiz = DefaultRootWindow(d);
    XImage* fundo = XGetImage(d, raiz, 0, TOPO_PLAYFIELD, 640, LINHAS, AllPlanes, ZPixmap);
    int setas[2] = {0, 0};           /* arrows seen at the targets, per lane */
    int topo_visto[2] = {-1, -1};    /* top of the arrow last seen at the targets */
    KeyCode apertada[2] = {0, 0};    /* key held down, per lane */
    double soltar_em[2] = {0, 0};
    int teclas = 0;
    double fim = agora() + duracao;
    while (agora() < fim) {
        XImage* img = XGetImage(d, raiz, 0, TOPO_PLAYFIELD, 640, LINHAS, AllPlanes, ZPixmap);
        for (int p = 0; p < 2; p++) {
            if (apertada[p] && agora() >= soltar_em[p]) {
                XTestFakeKeyEvent(d, apertada[p], False, 0);
                XFlush(d);
                apertada[p] = 0;
            }
            int coluna = -1, topo = -1;
            for (int c = 0; c < 4 && coluna < 0; c++) {
                topo = topo_da_seta(img, fundo, COLUNAS[c] + 499 * p);
                if (topo >= ALVO_MIN && topo <= ALVO_MAX) coluna = c;
            }
            if (coluna < 0) continue;
            /* Arrows only rise: one lower than the last seen is the next
             * arrow; one higher is the same arrow seen again (the hit mark
             * hides it for a few frames). */
            int nova = topo > topo_visto[p] + 4;
            topo_visto[p] = topo;
            if (!nova) continue;
            setas[p]++;
            if (setas[p] < primeira[p] || setas[p] > ultima[p] || apertada[p]) continue;
            apertada[p] = XKeysymToKeycode(d, TECLAS[p][coluna]);
            XTestFakeKeyEvent(d, apertada[p], True, 0);
            XFlush(d);
            soltar_em[p] = agora() + segurar;
            teclas++;
        }
        XDestroyImage(img);
        usleep(4000);
    }
    for (int p = 0; p < 2; p++)
        if (apertada[p]) XTestFakeKeyEvent(d, apertada[p], False, 0);
    XDestroyImage(fundo);
    XCloseDisplay(d);
    printf("robo: %d keys pressed; arrows seen: %d and %d\n", teclas, setas[0], setas[1]);
    return 0;
}
