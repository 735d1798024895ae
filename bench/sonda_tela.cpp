// sonda_tela: times what the game's window shows, from outside, by reading
// screen pixels with XGetImage every millisecond or so.
//
//   sonda_tela arranque PASTA JOGO
//       Starts JOGO in PASTA and prints "<ms> <pid>": the time from the exec to
//       the first frame with anything but black on screen (the root window of
//       an Xvfb started with -br is black until the game draws). The game is
//       left running.
//   sonda_tela transicao [LIMITE_S]
//       Waits for the cover strip (rows 0-28) to go all black, then for player
//       1's score panel to light again, and prints "<ms>": the time between the
//       two presentations, i.e. the stage transition as the player sees it.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <sys/types.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

double agoraMs() {
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec * 1e-6;
}

void cochilar() { usleep(1000); }

// True when any pixel of the rectangle is not black.
bool aceso(Display* x, int px, int py, int w, int h) {
    XImage* img = XGetImage(x, DefaultRootWindow(x), px, py, w, h, AllPlanes, ZPixmap);
    if (!img) return false;
    bool achou = false;
    for (int y = 0; y < h && !achou; y++)
        for (int c = 0; c < w && !achou; c++)
            if ((XGetPixel(img, c, y) & 0xffffff) != 0) achou = true;
    XDestroyImage(img);
    return achou;
}

// Three rows across the picture are enough to see the title drawn.
bool telaDesenhada(Display* x) {
    return aceso(x, 0, 100, 640, 1) || aceso(x, 0, 240, 640, 1) || aceso(x, 0, 400, 640, 1);
}

int arranque(Display* x, const char* pasta, const char* jogo) {
    if (telaDesenhada(x)) {
        std::fprintf(stderr, "sonda_tela: the screen is not black before the start\n");
        return 2;
    }
    const double inicio = agoraMs();
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(pasta) != 0) _exit(127);
        execl(jogo, jogo, static_cast<char*>(nullptr));
        _exit(127);
    }
    while (!telaDesenhada(x)) {
        if (agoraMs() - inicio > 20000) {
            std::fprintf(stderr, "sonda_tela: nothing drawn within 20 s\n");
            return 1;
        }
        cochilar();
    }
    std::printf("%.1f %d\n", agoraMs() - inicio, static_cast<int>(pid));
    return 0;
}

bool coberturaApagada(Display* x) { return !aceso(x, 0, 0, 640, 29); }
bool painelAceso(Display* x) { return aceso(x, 198, 2, 158, 24); }

int transicao(Display* x, double limiteS) {
    const double inicio = agoraMs();
    const double limite = limiteS * 1000;
    while (!coberturaApagada(x)) {
        if (agoraMs() - inicio > limite) return 1;
        cochilar();
    }
    const double apagou = agoraMs();
    while (!painelAceso(x)) {
        if (agoraMs() - inicio > limite) return 1;
        cochilar();
    }
    std::printf("%.1f\n", agoraMs() - apagou);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Display* x = XOpenDisplay(nullptr);
    if (!x) {
        std::fprintf(stderr, "sonda_tela: no X display\n");
        return 2;
    }
    int resultado = 2;
    if (argc == 4 && std::strcmp(argv[1], "arranque") == 0)
        resultado = arranque(x, argv[2], argv[3]);
    else if (argc >= 2 && std::strcmp(argv[1], "transicao") == 0)
        resultado = transicao(x, argc >= 3 ? std::atof(argv[2]) : 30);
    else
        std::fprintf(stderr, "uso: sonda_tela arranque PASTA JOGO | sonda_tela transicao [LIMITE_S]\n");
    XCloseDisplay(x);
    return resultado;
}
