// olho_tela: the one X client that the scripts playing the real game (the
// end-to-end tests, native and under wine, the screenshots of docs/ and the
// game's benchmark) look at its screen with. It reads the game's 640 x 480
// screen, at the top left of the display, with XGetImage and answers through
// the screen reader (leitor_tela.h); the pictures it compares with are the
// game's own files, read by the game's library.
//
//   olho_tela [OPTIONS] CONDITION [e CONDITION]...
//       Exit 0 once every condition holds on one picture, 1 when the time ran
//       out first (the reason is printed), 2 when it cannot look at all (no
//       display, no game window on it, a picture or argument it cannot use).
//       Conditions that read a value print it, on one line, when all held.
//   olho_tela [OPTIONS] quadros N
//       Exit 0 once the game has drawn N new frames.
//   olho_tela arranque PASTA JOGO
//       Starts JOGO in PASTA on a black screen and prints "<ms> <pid>": the
//       time from the exec to the first frame drawn. The game is left running.
//   olho_tela transicao [LIMITE_S]
//       Prints "<ms>": from the frame that blacks out the cover strip to the
//       first that lights player 1's score panel again.
//   olho_tela responder SECONDS [ARROWS_P1 [ARROWS_P2 [HOLD_MS]]]
//       Answers the arrows of both lanes for SECONDS, the way a player
//       watching the screen would, with XTest key presses; prints how many
//       keys it pressed. ARROWS_Pn says which arrows of player n's lane to
//       answer, counted from 1 in the order they cross the targets after it
//       starts: "A-B", "0" for none, default all. HOLD_MS is how long each key
//       is held (default 30; under wine, whose frames can come late, longer).
//       When it starts, the top of both lanes must show no arrow yet: that
//       picture is kept as the lanes' background. An arrow is seen as pixels
//       that differ from it in a lane column; its key is pressed once while
//       its top edge crosses the targets.
//
// OPTIONS
//   --dados PASTA      the picture folder the names of pictures are read from (default .)
//   --ate S            wait up to S seconds (default 0: look once)
//   --parada           read only a picture that stands still: no new frame for
//                      several of the game's frame intervals, as it draws now,
//                      and at least half a second (leitura::Ritmo)
//   --quadros-iguais N the conditions hold, reading the same values, on N new
//                      frames in a row (a character that stopped walking
//                      while the game goes on)
//   --ate-quadros N    give up once the game has drawn N new frames without
//                      the conditions holding (a key it did not take)
//   --ritmo ARQUIVO    the game's frame interval, remembered from call to call
//   --de ARQUIVO       read a picture saved before instead of the screen
//   --guardar ARQUIVO  save the last picture read (BMP), for the next checks
//                      and for a person to look at after a failure
//   --tela-toda        the top-left 640 x 480 of the display, game window or not
//
// CONDITIONS (coordinates on the game's screen; PICTURE: a file of the
// picture folder, or an absolute path; magenta is see-through where drawn)
//   desenhada                        anything not black
//   aceso X Y W H / apagado X Y W H  the rectangle has a lit pixel / is all black
//   preto X Y W H                    the rectangle has pure black (walls): how many pixels
//   igual PICTURE [com PICTURE X Y]... [texto X Y branco|preto TEXT]...
//                                    the screen is PICTURE with those drawn on it
//   regiao PICTURE X Y W H [PX PY]   the rectangle is PICTURE's at (PX, PY), default (X, Y)
//   fase N [HEIGHT]                  stage N's background shows beside lane 1
//   sprite PICTURE X Y               PICTURE is drawn at (X, Y)
//   muros PICTURE...                 black rows of the playfield are rows of these pictures
//   personagem N esq|dir [maior|menor|igual|perto X]
//                                    player N's character faces that way on the
//                                    ground, at a column above / below / at /
//                                    within a step of X: its column
//   pontos N [maior|igual V]         player N's points on the cover strip
//   mesma ARQUIVO / mudou ARQUIVO    the screen equals / differs from a saved picture
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <allegro.h>
#include <sys/types.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "imagens.h"
#include "leitor_tela.h"
#include "medidas.h"

namespace {

using namespace leitura;
constexpr int LARGURA = 640;
constexpr int ALTURA = 480;
constexpr useconds_t INTERVALO_US = 4000;  // between two looks at the screen

[[noreturn]] void impossivel(const std::string& porque) {
    std::fprintf(stderr, "olho_tela: %s\n", porque.c_str());
    std::exit(2);
}

double agora() {
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec + t.tv_nsec * 1e-9;
}

// A 640 x 480 picture of the screen, its own copy of the pixels.
struct Imagem {
    std::vector<Pixel> px = std::vector<Pixel>(LARGURA * ALTURA, 0);
    Quadro quadro() const {
        std::vector<const Pixel*> linhas(ALTURA);
        for (int y = 0; y < ALTURA; y++) linhas[y] = &px[y * LARGURA];
        return Quadro(LARGURA, std::move(linhas));
    }
    bool operator==(const Imagem& o) const { return px == o.px; }
};

// ------------------------------------------------------------------ pictures

std::string PASTA_DADOS = ".";

std::string caminhoDe(const std::string& nome) { return nome[0] == '/' ? nome : PASTA_DADOS + "/" + nome; }

// The game's pictures are plain 24-bit BMPs (its start-up check makes sure
// the library draws each exactly as it encodes): read here in one go, the
// library's reader taking a pixel at a time. Anything else is the library's.
BITMAP* bmp24(const std::string& caminho) {
    FILE* f = std::fopen(caminho.c_str(), "rb");
    if (!f) return nullptr;
    std::vector<unsigned char> d;
    unsigned char bloco[65536];
    for (std::size_t n; (n = std::fread(bloco, 1, sizeof bloco, f)) > 0;) d.insert(d.end(), bloco, bloco + n);
    std::fclose(f);
    auto u32 = [&](std::size_t i) { return d[i] | d[i + 1] << 8 | d[i + 2] << 16 | static_cast<unsigned>(d[i + 3]) << 24; };
    auto u16 = [&](std::size_t i) { return d[i] | d[i + 1] << 8; };
    if (d.size() < 54 || d[0] != 'B' || d[1] != 'M' || u32(14) != 40 || u16(26) != 1 || u16(28) != 24 || u32(30) != 0)
        return nullptr;
    const int w = static_cast<int>(u32(18)), h = static_cast<int>(u32(22));
    const std::size_t inicio = u32(10), linha = (static_cast<std::size_t>(w) * 3 + 3) / 4 * 4;
    if (w <= 0 || h <= 0 || w > 4096 || h > 4096 || inicio + linha * h > d.size()) return nullptr;
    BITMAP* b = create_bitmap_ex(32, w, h);
    for (int y = 0; y < h; y++) {
        const unsigned char* p = &d[inicio + linha * (h - 1 - y)];
        auto* destino = reinterpret_cast<Pixel*>(b->line[y]);
        for (int x = 0; x < w; x++, p += 3) destino[x] = makecol32(p[2], p[1], p[0]);
    }
    return b;
}

BITMAP* carregar(const std::string& nome) {
    BITMAP* b = bmp24(caminhoDe(nome));
    if (!b) b = load_bitmap(caminhoDe(nome).c_str(), NULL);
    if (!b) impossivel("cannot read the picture " + caminhoDe(nome));
    return b;
}

Imagem imagemDe(BITMAP* b) {
    if (b->w != LARGURA || b->h != ALTURA)
        impossivel("a picture of " + std::to_string(b->w) + "x" + std::to_string(b->h) + ", not the screen's 640x480");
    Imagem i;
    for (int y = 0; y < ALTURA; y++) std::memcpy(&i.px[y * LARGURA], b->line[y], LARGURA * sizeof(Pixel));
    return i;
}

void guardar(const Imagem& i, const std::string& arquivo) {
    BITMAP* b = create_bitmap_ex(32, LARGURA, ALTURA);
    for (int y = 0; y < ALTURA; y++) std::memcpy(b->line[y], &i.px[y * LARGURA], LARGURA * sizeof(Pixel));
    if (save_bmp(arquivo.c_str(), b, NULL) != 0) std::fprintf(stderr, "olho_tela: could not save %s\n", arquivo.c_str());
    destroy_bitmap(b);
}

// ------------------------------------------------------------------ the screen

int erroX = 0;
int anotarErroX(Display*, XErrorEvent* e) {
    erroX = e->error_code;
    return 0;
}

class Tela {
public:
    explicit Tela(bool todaTela) : todaTela_(todaTela) {
        x_ = XOpenDisplay(nullptr);
        const char* nome = std::getenv("DISPLAY");
        if (!x_) impossivel(std::string("cannot open the X display '") + (nome ? nome : "") + "'");
        XSetErrorHandler(anotarErroX);
        raiz_ = DefaultRootWindow(x_);
        XWindowAttributes a;
        XGetWindowAttributes(x_, raiz_, &a);
        if (a.width < LARGURA || a.height < ALTURA)
            impossivel("the display is " + std::to_string(a.width) + "x" + std::to_string(a.height) +
                       ", smaller than the game's 640x480 screen");
        Visual* v = DefaultVisual(x_, DefaultScreen(x_));
        if (v->red_mask != 0xff0000 || v->green_mask != 0xff00 || v->blue_mask != 0xff)
            impossivel("the display's pixels are not 24-bit RGB");
    }
    ~Tela() { XCloseDisplay(x_); }
    Display* display() const { return x_; }

    // The game's window is there: a viewable 640 x 480 window (not the
    // display's root) at the top left corner. Else says what there is.
    bool jogoNaTela(std::string& visto) {
        if (todaTela_ || achado_) return true;
        visto.clear();
        achado_ = procurar(raiz_, visto);
        return achado_;
    }

    bool capturar(Imagem& i) {
        erroX = 0;
        XImage* img = XGetImage(x_, raiz_, 0, 0, LARGURA, ALTURA, AllPlanes, ZPixmap);
        XSync(x_, False);
        if (!img || erroX) return false;
        if (img->bits_per_pixel == 32) {
            for (int y = 0; y < ALTURA; y++) {
                const auto* linha = reinterpret_cast<const Pixel*>(img->data + y * img->bytes_per_line);
                for (int x = 0; x < LARGURA; x++) i.px[y * LARGURA + x] = linha[x] & 0xffffff;
            }
        } else {
            for (int y = 0; y < ALTURA; y++)
                for (int x = 0; x < LARGURA; x++) i.px[y * LARGURA + x] = XGetPixel(img, x, y) & 0xffffff;
        }
        XDestroyImage(img);
        return true;
    }

    // Whether any pixel of the rectangle is lit: a cheap look for the timings.
    bool aceso(int px, int py, int w, int h) {
        XImage* img = XGetImage(x_, raiz_, px, py, w, h, AllPlanes, ZPixmap);
        if (!img) return false;
        bool achou = false;
        for (int y = 0; y < h && !achou; y++)
            for (int c = 0; c < w && !achou; c++) achou = (XGetPixel(img, c, y) & 0xffffff) != 0;
        XDestroyImage(img);
        return achou;
    }

private:
    bool procurar(Window w, std::string& visto) {
        Window r, pai, *filhos = nullptr;
        unsigned n = 0;
        if (!XQueryTree(x_, w, &r, &pai, &filhos, &n)) return false;
        bool achou = false;
        for (unsigned k = 0; k < n && !achou; k++) {
            XWindowAttributes a;
            if (!XGetWindowAttributes(x_, filhos[k], &a) || a.map_state != IsViewable) continue;
            int ax = 0, ay = 0;
            Window nada;
            XTranslateCoordinates(x_, filhos[k], raiz_, 0, 0, &ax, &ay, &nada);
            if (a.width == LARGURA && a.height == ALTURA && ax == 0 && ay == 0) {
                achou = true;
                break;
            }
            if (visto.size() < 200)
                visto += " " + std::to_string(a.width) + "x" + std::to_string(a.height) + "+" + std::to_string(ax) +
                         "+" + std::to_string(ay);
            achou = procurar(filhos[k], visto);
        }
        if (filhos) XFree(filhos);
        return achou;
    }

    bool todaTela_;
    bool achado_ = false;
    Display* x_ = nullptr;
    Window raiz_;
};

// ------------------------------------------------------------------ conditions

// A condition answers on one picture; `porque` says what it saw when it
// does not hold, `valor` what it read when it does.
using Condicao = std::function<bool(const Quadro&, std::string& porque, std::string& valor)>;

class Argumentos {
public:
    Argumentos(std::vector<std::string> v) : v_(std::move(v)) {}
    bool fim() const { return i_ >= v_.size() || v_[i_] == "e"; }
    std::string texto(const char* oque) {
        if (fim()) impossivel(std::string("missing ") + oque + " after '" + (i_ ? v_[i_ - 1] : "") + "'");
        return v_[i_++];
    }
    int numero(const char* oque) {
        const std::string t = texto(oque);
        char* resto = nullptr;
        const long n = std::strtol(t.c_str(), &resto, 10);
        if (t.empty() || *resto) impossivel(std::string("'") + t + "' is not a number (" + oque + ")");
        return static_cast<int>(n);
    }
    bool olhar(const char* palavra) {
        if (fim() || v_[i_] != palavra) return false;
        i_++;
        return true;
    }
    bool acabou() const { return i_ >= v_.size(); }
    void pularE() { i_++; }

private:
    std::vector<std::string> v_;
    std::size_t i_ = 0;
};

struct Retangulo {
    int x, y, w, h;
};
Retangulo retangulo(Argumentos& a) {
    Retangulo r{a.numero("X"), a.numero("Y"), a.numero("width"), a.numero("height")};
    if (r.x < 0 || r.y < 0 || r.w <= 0 || r.h <= 0 || r.x + r.w > LARGURA || r.y + r.h > ALTURA)
        impossivel("the rectangle " + std::to_string(r.w) + "x" + std::to_string(r.h) + "+" + std::to_string(r.x) +
                   "+" + std::to_string(r.y) + " is not inside the 640x480 screen");
    return r;
}

template <class F>
int contar(const Quadro& t, const Retangulo& r, F f) {
    int n = 0;
    for (int y = r.y; y < r.y + r.h; y++)
        for (int x = r.x; x < r.x + r.w; x++) n += f(t.pixel(x, y));
    return n;
}

int diferentes(const Quadro& t, const Imagem& esperada) {
    const Quadro e = esperada.quadro();
    int n = 0;
    for (int y = 0; y < ALTURA; y++)
        for (int x = 0; x < LARGURA; x++) n += t.pixel(x, y) != e.pixel(x, y);
    return n;
}

Condicao condicaoAcesa(Argumentos& a, bool acesa) {
    const Retangulo r = retangulo(a);
    return [r, acesa](const Quadro& t, std::string& porque, std::string&) {
        const int n = contar(t, r, [](Pixel p) { return p != PRETO; });
        if ((n > 0) == acesa) return true;
        porque = acesa ? "the rectangle is all black" : std::to_string(n) + " pixels of the rectangle are lit";
        return false;
    };
}

Condicao condicaoPreto(Argumentos& a) {
    const Retangulo r = retangulo(a);
    return [r](const Quadro& t, std::string& porque, std::string& valor) {
        const int n = contar(t, r, [](Pixel p) { return p == PRETO; });
        if (n > 0) {
            valor += (valor.empty() ? "" : " ") + std::to_string(n);
            return true;
        }
        porque = "no pure black in the rectangle";
        return false;
    };
}

Condicao condicaoImagem(const Imagem& esperada, const std::string& nome) {
    return [esperada, nome](const Quadro& t, std::string& porque, std::string&) {
        const int n = diferentes(t, esperada);
        if (n == 0) return true;
        porque = std::to_string(n) + " pixels differ from " + nome;
        return false;
    };
}

Condicao condicaoIgual(Argumentos& a) {
    const std::string base = a.texto("picture");
    std::string nome = base;
    BITMAP* b = carregar(base);
    while (!a.fim()) {
        if (a.olhar("com")) {
            const std::string f = a.texto("picture");
            BITMAP* s = carregar(f);
            const int x = a.numero("X"), y = a.numero("Y");
            draw_sprite(b, s, x, y);
            destroy_bitmap(s);
            nome += " + " + f + " at (" + std::to_string(x) + ", " + std::to_string(y) + ")";
        } else if (a.olhar("texto")) {
            const int x = a.numero("X"), y = a.numero("Y");
            const std::string cor = a.texto("branco or preto"), texto = a.texto("text");
            if (cor != "branco" && cor != "preto") impossivel("a text is branco or preto, not '" + cor + "'");
            textout_ex(b, font, texto.c_str(), x, y, cor == "branco" ? makecol(255, 255, 255) : makecol(0, 0, 0), -1);
            nome += " + '" + texto + "'";
        } else {
            impossivel("igual: 'com' or 'texto' expected, not '" + a.texto("") + "'");
        }
    }
    const Imagem esperada = imagemDe(b);
    destroy_bitmap(b);
    return condicaoImagem(esperada, nome);
}

Condicao condicaoRegiao(const std::string& nome, const Retangulo& r, int px, int py) {
    BITMAP* b = carregar(nome);
    if (px < 0 || py < 0 || px + r.w > b->w || py + r.h > b->h) impossivel("the rectangle is not inside " + nome);
    std::vector<Pixel> esperado;
    for (int y = 0; y < r.h; y++)
        for (int x = 0; x < r.w; x++) esperado.push_back(static_cast<Pixel>(getpixel(b, px + x, py + y)));
    destroy_bitmap(b);
    return [r, esperado, nome](const Quadro& t, std::string& porque, std::string&) {
        int n = 0;
        for (int y = 0; y < r.h; y++)
            for (int x = 0; x < r.w; x++) n += t.pixel(r.x + x, r.y + y) != esperado[y * r.w + x];
        if (n == 0) return true;
        porque = std::to_string(n) + " pixels differ from " + nome;
        return false;
    };
}

Condicao condicaoRegiao(Argumentos& a) {
    const std::string nome = a.texto("picture");
    const Retangulo r = retangulo(a);
    int px = r.x, py = r.y;
    if (!a.fim()) {
        px = a.numero("picture X");
        py = a.numero("picture Y");
    }
    return condicaoRegiao(nome, r, px, py);
}

// Stage N is on screen: the strip right of lane 1 (x 133..140) shows stage
// N's background, which only a stage step draws there (the transition and
// its last, black frame leave it black). HEIGHT reads only its top rows.
Condicao condicaoFase(Argumentos& a) {
    const int n = a.numero("stage");
    const int altura = a.fim() ? medidas::ALTURA_TELA - medidas::ALTURA_COBERTURA : a.numero("height");
    return condicaoRegiao("cenario/fase" + std::to_string(n) + ".bmp", {133, medidas::ALTURA_COBERTURA, 8, altura},
                          133, 0);
}

bool desenhadaEm(const Figura& f, const Quadro& t, int x, int y) {
    return semelhanca(f.amostra, t, x, y) == 1 && semelhanca(f.pontos, t, x, y) == 1;
}

Condicao condicaoSprite(Argumentos& a) {
    const std::string nome = a.texto("picture");
    const Figura f = carregarFigura(caminhoDe(nome).c_str());
    if (f.pontos.empty()) impossivel("cannot read the picture " + caminhoDe(nome));
    const int x = a.numero("X"), y = a.numero("Y");
    return [f, x, y, nome](const Quadro& t, std::string& porque, std::string&) {
        if (x + f.largura <= LARGURA && y + f.altura <= ALTURA && desenhadaEm(f, t, x, y)) return true;
        porque = nome + " is not drawn at (" + std::to_string(x) + ", " + std::to_string(y) + ")";
        return false;
    };
}

// Every row of the playfield (x 141..499, screen rows 29..469, above the
// ground) that has pure black is, pixel for pixel, a row of one of the
// pictures, drawn at x 141: the scenery has no pure black, so black there
// can only be walls.
Condicao condicaoMuros(Argumentos& a) {
    std::set<std::vector<bool>> linhas;
    while (!a.fim()) {
        BITMAP* b = carregar(a.texto("picture"));
        for (int y = 0; y < b->h; y++) {
            std::vector<bool> m(medidas::LARGURA_CAMPO);
            for (int x = 0; x < std::min(b->w, medidas::LARGURA_CAMPO); x++) m[x] = getpixel(b, x, y) == 0;
            linhas.insert(m);
        }
        destroy_bitmap(b);
    }
    return [linhas](const Quadro& t, std::string& porque, std::string&) {
        int comMuro = 0, estranhas = 0, primeira = -1;
        for (int y = medidas::ALTURA_COBERTURA; y < medidas::ALTURA_COBERTURA + medidas::LINHA_CHAO; y++) {
            std::vector<bool> m(medidas::LARGURA_CAMPO);
            bool algum = false;
            for (int x = 0; x < medidas::LARGURA_CAMPO; x++) algum |= m[x] = t.pixel(medidas::X_CAMPO + x, y) == PRETO;
            if (!algum) continue;
            comMuro++;
            if (!linhas.count(m) && estranhas++ == 0) primeira = y;
        }
        if (comMuro > 0 && estranhas == 0) return true;
        porque = std::to_string(comMuro) + " playfield rows with black, " + std::to_string(estranhas) +
                 " of them not a row of the wall pictures" +
                 (primeira >= 0 ? " (first at screen row " + std::to_string(primeira) + ")" : "");
        return false;
    };
}

// Player N's character facing one way, standing or in a step of its walk,
// feet on the ground: its leftmost column, or -1.
int colunaDoPersonagem(const Poses& poses, bool direita, const Quadro& t) {
    const int y = medidas::ALTURA_COBERTURA + medidas::LINHA_CHAO - poses[0].altura;
    for (int x = MENOR_X; x <= maiorX(poses[0].largura); x++)
        for (int k = direita ? 0 : 3; k < (direita ? 3 : 6); k++)
            if (desenhadaEm(poses[k], t, x, y)) return x;
    return -1;
}

Condicao condicaoPersonagem(Argumentos& a) {
    const int n = a.numero("player");
    if (n != 1 && n != 2) impossivel("there is no player " + std::to_string(n));
    const std::string lado = a.texto("esq or dir");
    if (lado != "esq" && lado != "dir") impossivel("a character faces esq or dir, not '" + lado + "'");
    std::string op;
    int alvo = 0;
    if (!a.fim()) {
        op = a.texto("maior, menor, igual or perto");
        if (op != "maior" && op != "menor" && op != "igual" && op != "perto")
            impossivel("maior, menor, igual or perto, not '" + op + "'");
        alvo = a.numero("X");
    }
    Poses poses;
    for (int k = 0; k < 6; k++) {
        poses[k] = carregarFigura(caminhoDe(imagens::PERSONAGENS[n - 1][k]).c_str());
        if (poses[k].pontos.empty()) impossivel(std::string("cannot read ") + imagens::PERSONAGENS[n - 1][k]);
    }
    return [=](const Quadro& t, std::string& porque, std::string& valor) {
        const std::string quem = "player " + std::to_string(n) + "'s character";
        const int x = colunaDoPersonagem(poses, lado == "dir", t);
        if (x < 0) {
            const int outro = colunaDoPersonagem(poses, lado != "dir", t);
            porque = quem + " is not on screen facing " + lado +
                     (outro >= 0 ? " (it faces " + std::string(lado == "dir" ? "esq" : "dir") + " at x " +
                                       std::to_string(outro) + ")"
                                 : "");
            return false;
        }
        // "perto": at most one step away, as a paused picture may show the
        // frame before the last step.
        const bool vale = op.empty() || (op == "maior" && x > alvo) || (op == "menor" && x < alvo) ||
                          (op == "igual" && x == alvo) ||
                          (op == "perto" && std::abs(x - alvo) <= medidas::VELOCIDADE_PERSONAGEM);
        if (vale) {
            valor += (valor.empty() ? "" : " ") + std::to_string(x);
            return true;
        }
        porque = quem + " faces " + lado + " at x " + std::to_string(x) + " (wanted " + op + " " +
                 std::to_string(alvo) + ")";
        return false;
    };
}

// Player N's points as its score panel shows them: "Pontos: N" in the
// library's font, white on black, at (198, 2) for player 1 and (332, 2) for
// player 2; the digits start 8 characters in, and player 2's lives box
// covers all but 6 of its cells.
Condicao condicaoPontos(Argumentos& a) {
    const int n = a.numero("player");
    if (n != 1 && n != 2) impossivel("there is no player " + std::to_string(n));
    std::string op;
    long alvo = 0;
    if (!a.fim()) {
        op = a.texto("maior or igual");
        if (op != "maior" && op != "igual") impossivel("maior or igual, not '" + op + "'");
        alvo = a.numero("points");
    }
    BITMAP* b = create_bitmap_ex(32, 80, 8);
    clear_to_color(b, makecol(0, 0, 0));
    textout_ex(b, font, "0123456789", 0, 0, makecol(255, 255, 255), -1);
    const auto algarismos = algarismosDe(quadroDe(b), 0, 0);
    destroy_bitmap(b);
    const int x = n == 1 ? 262 : 396, celulas = n == 1 ? 8 : 6;
    return [=](const Quadro& t, std::string& porque, std::string& valor) {
        const long p = numeroEm(t, x, 2, celulas, algarismos);
        if (p < 0) {
            porque = "player " + std::to_string(n) + "'s points cannot be read";
            return false;
        }
        if (op.empty() || (op == "maior" && p > alvo) || (op == "igual" && p == alvo)) {
            valor += (valor.empty() ? "" : " ") + std::to_string(p);
            return true;
        }
        porque = "player " + std::to_string(n) + " has " + std::to_string(p) + " points";
        return false;
    };
}

Condicao condicaoSalva(Argumentos& a, bool mesma) {
    const std::string arquivo = a.texto("saved picture");
    BITMAP* b = carregar(arquivo);
    const Imagem salva = imagemDe(b);
    destroy_bitmap(b);
    if (mesma) return condicaoImagem(salva, arquivo);
    return [salva, arquivo](const Quadro& t, std::string& porque, std::string&) {
        if (diferentes(t, salva) > 0) return true;
        porque = "the picture is still " + arquivo;
        return false;
    };
}

Condicao condicao(Argumentos& a) {
    const std::string nome = a.texto("condition");
    if (nome == "desenhada")
        return [](const Quadro& t, std::string& porque, std::string&) {
            if (contar(t, {0, 0, LARGURA, ALTURA}, [](Pixel p) { return p != PRETO; }) > 0) return true;
            porque = "the screen is black";
            return false;
        };
    if (nome == "aceso" || nome == "apagado") return condicaoAcesa(a, nome == "aceso");
    if (nome == "preto") return condicaoPreto(a);
    if (nome == "igual") return condicaoIgual(a);
    if (nome == "regiao") return condicaoRegiao(a);
    if (nome == "fase") return condicaoFase(a);
    if (nome == "sprite") return condicaoSprite(a);
    if (nome == "muros") return condicaoMuros(a);
    if (nome == "personagem") return condicaoPersonagem(a);
    if (nome == "pontos") return condicaoPontos(a);
    if (nome == "mesma" || nome == "mudou") return condicaoSalva(a, nome == "mesma");
    impossivel("no such condition: '" + nome + "'");
}

// ------------------------------------------------------------------ watching

struct Opcoes {
    double ate = 0;
    int ateQuadros = 0;
    int quadrosIguais = 1;
    bool parada = false;
    bool todaTela = false;
    std::string ritmo, de, guardarEm;
};

double lembrarRitmo(const std::string& arquivo) {
    double s = 0;
    if (FILE* f = arquivo.empty() ? nullptr : std::fopen(arquivo.c_str(), "r")) {
        if (std::fscanf(f, "%lf", &s) != 1) s = 0;
        std::fclose(f);
    }
    return s;
}

void anotarRitmo(const std::string& arquivo, const Ritmo& r) {
    if (arquivo.empty() || !r.mediu()) return;
    if (FILE* f = std::fopen(arquivo.c_str(), "w")) {
        std::fprintf(f, "%.4f\n", r.intervalo());
        std::fclose(f);
    }
}

std::string ms(double s) { return std::to_string(static_cast<int>(s * 1000 + 0.5)) + " ms"; }

// Looks until every condition holds on one picture (a still one with
// --parada), or the time runs out.
int esperar(const Opcoes& o, const std::vector<Condicao>& condicoes) {
    Imagem atual, anterior;
    if (!o.de.empty()) {
        BITMAP* b = carregar(o.de);
        atual = imagemDe(b);
        destroy_bitmap(b);
    }
    std::unique_ptr<Tela> tela;
    if (o.de.empty()) tela = std::make_unique<Tela>(o.todaTela);
    Ritmo ritmo(lembrarRitmo(o.ritmo));
    const double limite = agora() + o.ate;
    std::string porque = "nothing was read", valor, janelas;
    bool primeira = true, avaliada = false, visto = false;
    std::string valorAntes;
    int iguais = 0;  // new pictures in a row on which they held with the same values
    for (;;) {
        const double t = agora();
        if (tela) {
            if (!tela->jogoNaTela(janelas)) {
                porque = "no 640x480 window of the game at the top left of display " +
                         std::string(std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "") +
                         " (viewable windows:" + (janelas.empty() ? " none" : janelas) + ")";
            } else if (!tela->capturar(atual)) {
                porque = "the screen could not be read";
            } else {
                visto = true;
                const bool novo = !primeira && !(atual == anterior);
                ritmo.ver(t, novo);
                if (novo || primeira) avaliada = false;
                primeira = false;
                anterior = atual;
            }
        } else {
            visto = true;
        }
        if (visto && !avaliada && (!o.parada || !tela || ritmo.parado())) {
            avaliada = true;
            valor.clear();
            bool todas = true;
            const Quadro q = atual.quadro();
            for (const Condicao& c : condicoes)
                if (!(todas = c(q, porque, valor))) break;
            iguais = todas && (iguais == 0 || valor == valorAntes) ? iguais + 1 : (todas ? 1 : 0);
            valorAntes = valor;
            if (todas && iguais < o.quadrosIguais)
                porque = "read " + valor + " on " + std::to_string(iguais) + " new frames in a row, not " +
                         std::to_string(o.quadrosIguais);
            if (todas && iguais >= o.quadrosIguais) {
                if (!o.guardarEm.empty()) guardar(atual, o.guardarEm);
                anotarRitmo(o.ritmo, ritmo);
                if (!valor.empty()) std::printf("%s\n", valor.c_str());
                return 0;
            }
        } else if (visto && o.parada && !ritmo.parado()) {
            porque = "the picture never stood still for " + ms(ritmo.espera()) + " (frame interval " +
                     ms(ritmo.intervalo()) + ")";
        }
        if (!tela || t >= limite) break;
        if (o.ateQuadros > 0 && ritmo.novos() >= o.ateQuadros) {
            porque = "the game drew " + std::to_string(ritmo.novos()) + " new frames meanwhile";
            break;
        }
        usleep(INTERVALO_US);
    }
    if (visto && !o.guardarEm.empty()) guardar(atual, o.guardarEm);
    anotarRitmo(o.ritmo, ritmo);
    if (!visto && tela) impossivel(porque);
    std::printf("  %s\n", porque.c_str());
    return 1;
}

// Waits until the game has drawn N new frames.
int esperarQuadros(const Opcoes& o, int n) {
    Tela tela(o.todaTela);
    Imagem atual, anterior;
    Ritmo ritmo(lembrarRitmo(o.ritmo));
    const double limite = agora() + o.ate;
    std::string janelas;
    bool primeira = true;
    while (ritmo.novos() < n) {
        const double t = agora();
        if (t >= limite) {
            anotarRitmo(o.ritmo, ritmo);
            if (primeira) impossivel("no 640x480 window of the game at the top left of the display (viewable windows:" +
                                     janelas + ")");
            std::printf("  %d of %d new frames in %s\n", ritmo.novos(), n, ms(o.ate).c_str());
            return 1;
        }
        if (tela.jogoNaTela(janelas) && tela.capturar(atual)) {
            ritmo.ver(t, !primeira && !(atual == anterior));
            primeira = false;
            anterior = atual;
        }
        usleep(INTERVALO_US);
    }
    anotarRitmo(o.ritmo, ritmo);
    return 0;
}

// ------------------------------------------------------------------ timings

// Three rows across the picture are enough to see the title drawn.
bool telaDesenhada(Tela& t) { return t.aceso(0, 100, 640, 1) || t.aceso(0, 240, 640, 1) || t.aceso(0, 400, 640, 1); }

int arranque(const char* pasta, const char* jogo) {
    Tela t(true);
    if (telaDesenhada(t)) impossivel("the screen is not black before the start");
    const double inicio = agora();
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(pasta) != 0) _exit(127);
        execl(jogo, jogo, static_cast<char*>(nullptr));
        _exit(127);
    }
    while (!telaDesenhada(t)) {
        if (agora() - inicio > 20) {
            std::printf("  nothing drawn within 20 s\n");
            return 1;
        }
        usleep(1000);
    }
    std::printf("%.1f %d\n", (agora() - inicio) * 1000, static_cast<int>(pid));
    return 0;
}

int transicao(double limiteS) {
    Tela t(true);
    const double inicio = agora();
    auto esperarAte = [&](auto condicao) {
        while (!condicao()) {
            if (agora() - inicio > limiteS) return false;
            usleep(1000);
        }
        return true;
    };
    if (!esperarAte([&] { return !t.aceso(0, 0, 640, 29); })) return 1;
    const double apagou = agora();
    if (!esperarAte([&] { return t.aceso(198, 2, 158, 24); })) return 1;
    std::printf("%.1f\n", (agora() - apagou) * 1000);
    return 0;
}

// ------------------------------------------------------------------ the robot

// "A-B", "0" or nothing: the first and last arrow to answer.
void faixaDeSetas(const char* texto, int* primeira, int* ultima) {
    *primeira = 1;
    *ultima = 1 << 30;
    if (texto && std::sscanf(texto, "%d-%d", primeira, ultima) == 1) *ultima = *primeira;
}

int responder(const std::vector<std::string>& a) {
    // Press while the arrow's top edge is this well inside the targets: the
    // game may take the key a frame or two after the robot saw the arrow.
    constexpr int ALVO_MIN = medidas::LINHA_ALVOS + 3;
    constexpr int ALVO_MAX = medidas::LINHA_ALVOS + 27;
    // In the reader's order of directions: up, down, left, right.
    const KeySym TECLAS[2][4] = {{XK_w, XK_s, XK_a, XK_d}, {XK_KP_5, XK_KP_2, XK_KP_1, XK_KP_3}};
    const double duracao = a.size() > 1 ? std::atof(a[1].c_str()) : 10;
    int primeira[2], ultima[2];
    faixaDeSetas(a.size() > 2 ? a[2].c_str() : nullptr, &primeira[0], &ultima[0]);
    faixaDeSetas(a.size() > 3 ? a[3].c_str() : nullptr, &primeira[1], &ultima[1]);
    const double segurar = (a.size() > 4 ? std::atof(a[4].c_str()) : 30) / 1000;
    Tela tela(false);
    Display* d = tela.display();
    std::string janelas;
    Imagem inicio, atual;
    if (!tela.jogoNaTela(janelas) || !tela.capturar(inicio))
        impossivel("no 640x480 window of the game at the top left of the display (viewable windows:" + janelas + ")");
    const Quadro fundo = inicio.quadro().campo();
    int setas[2] = {0, 0};         // arrows seen at the targets, per lane
    int topoVisto[2] = {-1, -1};   // top of the arrow last seen at the targets
    KeyCode apertada[2] = {0, 0};  // key held down, per lane
    double soltarEm[2] = {0, 0};
    int teclas = 0;
    const double fim = agora() + duracao;
    while (agora() < fim) {
        if (!tela.capturar(atual)) break;
        const Quadro q = atual.quadro();
        for (int p = 0; p < 2; p++) {
            if (apertada[p] && agora() >= soltarEm[p]) {
                XTestFakeKeyEvent(d, apertada[p], False, 0);
                XFlush(d);
                apertada[p] = 0;
            }
            const SetaVista seta = setaNoAlvo(q, fundo, p + 1, ALVO_MIN, ALVO_MAX);
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
        usleep(INTERVALO_US);
    }
    for (int p = 0; p < 2; p++)
        if (apertada[p]) XTestFakeKeyEvent(d, apertada[p], False, 0);
    XFlush(d);
    std::printf("olho_tela responder: %d keys pressed; arrows seen: %d and %d\n", teclas, setas[0], setas[1]);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) impossivel("the game library did not start");
    set_color_depth(32);
    set_color_conversion(COLORCONV_TOTAL);  // every picture read at the screen's 32 bits
    // ... and in the X server's order of the channels (Tela checks it), as
    // the game's window shows them.
    _rgb_r_shift_32 = 16;
    _rgb_g_shift_32 = 8;
    _rgb_b_shift_32 = 0;
    Opcoes o;
    std::size_t i = 0;
    auto valorDe = [&](const std::string& opcao) {
        if (i + 1 >= args.size()) impossivel(opcao + " needs a value");
        return args[++i];
    };
    for (; i < args.size() && args[i].rfind("--", 0) == 0; i++) {
        const std::string& a = args[i];
        if (a == "--dados") PASTA_DADOS = valorDe(a);
        else if (a == "--ate") o.ate = std::atof(valorDe(a).c_str());
        else if (a == "--parada") o.parada = true;
        else if (a == "--ate-quadros") o.ateQuadros = std::atoi(valorDe(a).c_str());
        else if (a == "--quadros-iguais") o.quadrosIguais = std::atoi(valorDe(a).c_str());
        else if (a == "--tela-toda") o.todaTela = true;
        else if (a == "--ritmo") o.ritmo = valorDe(a);
        else if (a == "--de") o.de = valorDe(a);
        else if (a == "--guardar") o.guardarEm = valorDe(a);
        else impossivel("no such option: " + a);
    }
    args.erase(args.begin(), args.begin() + i);
    if (args.empty()) impossivel("what to look for? (see the head of tests/apoio/olho_tela.cpp)");
    if (args[0] == "arranque" && args.size() == 3) return arranque(args[1].c_str(), args[2].c_str());
    if (args[0] == "responder") return responder(args);
    if (args[0] == "transicao") return transicao(args.size() > 1 ? std::atof(args[1].c_str()) : 30);
    if (args[0] == "quadros" && args.size() == 2) return esperarQuadros(o, std::atoi(args[1].c_str()));
    Argumentos a(args);
    std::vector<Condicao> condicoes;
    for (;;) {
        condicoes.push_back(condicao(a));
        if (a.acabou()) break;
        if (!a.fim()) impossivel("unexpected '" + a.texto("") + "'");
        a.pularE();
    }
    return esperar(o, condicoes);
}
