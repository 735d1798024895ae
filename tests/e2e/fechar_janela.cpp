// fechar_janela [NOME]: does what a window manager does when the player clicks
// the close button of the top-level window named NOME (default "ritmuro"):
// sends it the WM_DELETE_WINDOW message of the WM_PROTOCOLS protocol.
// Exit code 0 when sent, 1 when no such window showed up within 5 s.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

namespace {

Window acharJanela(Display* x, const char* nome) {
    Window raiz, pai, *filhas = nullptr;
    unsigned int total = 0;
    Window achada = 0;
    if (!XQueryTree(x, DefaultRootWindow(x), &raiz, &pai, &filhas, &total)) return 0;
    for (unsigned int i = 0; i < total && !achada; i++) {
        char* titulo = nullptr;
        if (XFetchName(x, filhas[i], &titulo) && titulo) {
            if (std::strcmp(titulo, nome) == 0) achada = filhas[i];
            XFree(titulo);
        }
    }
    if (filhas) XFree(filhas);
    return achada;
}

void pedirFechamento(Display* x, Window janela) {
    XEvent evento;
    std::memset(&evento, 0, sizeof evento);
    evento.xclient.type = ClientMessage;
    evento.xclient.window = janela;
    evento.xclient.message_type = XInternAtom(x, "WM_PROTOCOLS", False);
    evento.xclient.format = 32;
    evento.xclient.data.l[0] = static_cast<long>(XInternAtom(x, "WM_DELETE_WINDOW", False));
    evento.xclient.data.l[1] = CurrentTime;
    XSendEvent(x, janela, False, NoEventMask, &evento);
    XFlush(x);
}

}  // namespace

int main(int argc, char** argv) {
    const char* nome = argc > 1 ? argv[1] : "ritmuro";
    Display* x = XOpenDisplay(nullptr);
    if (!x) {
        std::fprintf(stderr, "fechar_janela: no X display\n");
        return 1;
    }
    Window janela = 0;
    for (int tentativa = 0; tentativa < 100 && !janela; tentativa++) {
        janela = acharJanela(x, nome);
        if (!janela) usleep(50000);
    }
    if (janela) pedirFechamento(x, janela);
    else std::fprintf(stderr, "fechar_janela: no window named %s\n", nome);
    XCloseDisplay(x);
    return janela ? 0 : 1;
}
