// robo SECONDS [ARROWS_P1 [ARROWS_P2 [HOLD_MS]]]: answers the arrows of both
// lanes of a running game, the way a player watching the screen would: for
// the docs screenshots, and for the end-to-end tests that check each
// player's answer keys. It reads the screen with XGetImage, through the
// tests' screen reader (tests/apoio/leitor_tela.h), and presses keys with
// XTest.
//
// ARROWS_Pn says which arrows of player n's lane to answer, counted from 1 in
// the order they cross the targets after the robot starts: "A-B", "0" for
// none, default all. HOLD_MS is how long each key is held (default 30; under
// wine, whose frames can come late, longer).
//
// When it starts, the top of both lanes must show no arrow yet: that picture
// is kept as the lanes' background. An arrow is seen as pixels that differ
// from it in a lane column; its key is pressed once while its top edge
// crosses the targets.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "define.h"
#include "leitor_tela.h"
#include "medidas.h"

namespace {

// Press while the arrow's top edge is this well inside the targets: the
// game may take the key a frame or two after the robot saw the arrow.
constexpr int ALVO_MIN = medidas::LINHA_ALVOS + 3;
constexpr int ALVO_MAX = medidas::LINHA_ALVOS + 27;
constexpr int LINHAS = medidas::ALTURA_COBERTURA + ALVO_MAX + 1;  // screen rows read

// In the reader's order of directions: up, down, left, right.
const KeySym TECLAS[2][4] = {{XK_w, XK_s, XK_a, XK_d}, {XK_KP_5, XK_KP_2, XK_KP_1, XK_KP_3}};

double agora() {
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

// The top rows of the screen, as the reader reads them.
class Captura {
public:
    Captura(Display* d, Window raiz) : pixels(MAX_X * LINHAS) {
        XImage* img = XGetImage(d, raiz, 0, 0, MAX_X, LINHAS, AllPlanes, ZPixmap);
        for (int y = 0; y < LINHAS; y++)
            for (int x = 0; x < MAX_X; x++)
                pixels[y * MAX_X + x] = static_cast<leitura::Pixel>(XGetPixel(img, x, y));
        XDestroyImage(img);
    }
    leitura::Quadro quadro() const {
        std::vector<const leitura::Pixel*> linhas(LINHAS);
        for (int y = 0; y < LINHAS; y++) linhas[y] = &pixels[y * MAX_X];
        return leitura::Quadro(MAX_X, linhas);
    }

private:
    std::vector<leitura::Pixel> pixels;
};

// "A-B", "0" or nothing: the first and last arrow to answer.
void faixa(const char* texto, int* primeira, int* ultima) {
    *primeira = 1;
    *ultima = 1 << 30;
    if (texto && std::sscanf(texto, "%d-%d", primeira, ultima) == 1) *ultima = *primeira;
}

}  // namespace

int main(int argc, char** argv) {
    const double duracao = argc > 1 ? std::atof(argv[1]) : 10;
    int primeira[2], ultima[2];
    faixa(argc > 2 ? argv[2] : nullptr, &primeira[0], &ultima[0]);
    faixa(argc > 3 ? argv[3] : nullptr, &primeira[1], &ultima[1]);
    const double segurar = (argc > 4 ? std::atof(argv[4]) : 30) / 1000;
    Display* d = XOpenDisplay(nullptr);
    if (!d) return 1;
    const Window raiz = DefaultRootWindow(d);
    const Captura primeiraCaptura(d, raiz);
    const leitura::Quadro fundo = primeiraCaptura.quadro().campo();
    int setas[2] = {0, 0};         // arrows seen at the targets, per lane
    int topoVisto[2] = {-1, -1};   // top of the arrow last seen at the targets
    KeyCode apertada[2] = {0, 0};  // key held down, per lane
    double soltarEm[2] = {0, 0};
    int teclas = 0;
    const double fim = agora() + duracao;
    while (agora() < fim) {
        const Captura captura(d, raiz);
        const leitura::Quadro tela = captura.quadro();
        for (int p = 0; p < 2; p++) {
            if (apertada[p] && agora() >= soltarEm[p]) {
                XTestFakeKeyEvent(d, apertada[p], False, 0);
                XFlush(d);
                apertada[p] = 0;
            }
            const leitura::SetaVista seta = leitura::setaNoAlvo(tela, fundo, p + 1, ALVO_MIN, ALVO_MAX);
            if (seta.direcao < 0) continue;
            // Arrows only rise: one lower than the last seen is the next
            // arrow; one higher is the same arrow seen again (the hit mark
            // hides it for a few frames).
            const bool nova = seta.topo > topoVisto[p] + 4;
            topoVisto[p] = seta.topo;
            if (!nova) continue;
            setas[p]++;
            if (setas[p] < primeira[p] || setas[p] > ultima[p] || apertada[p]) continue;
            apertada[p] = XKeysymToKeycode(d, TECLAS[p][seta.direcao]);
            XTestFakeKeyEvent(d, apertada[p], True, 0);
            XFlush(d);
            soltarEm[p] = agora() + segurar;
            teclas++;
        }
        usleep(4000);
    }
    for (int p = 0; p < 2; p++)
        if (apertada[p]) XTestFakeKeyEvent(d, apertada[p], False, 0);
    XCloseDisplay(d);
    std::printf("robo: %d keys pressed; arrows seen: %d and %d\n", teclas, setas[0], setas[1]);
    return 0;
}
