// Zorbo (player 1) and Velna (player 2), the two walkers of the playfield.
// Each gets six 32 x 44 pictures: standing and the two steps of the walk,
// facing right, and the same three mirrored to face left. The feet rest on
// the bottom row, because the game stands every picture on the ground line.
#include <allegro.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "formas.h"
#include "imagens.h"
#include "paletas.h"
#include "pincel.h"

namespace {

constexpr int LARGURA = 32;
constexpr int ALTURA = 44;

struct Ponto {
    int x, y;
};

using pincel::contorno;
using pincel::rgb;

// The figure is built part by part, back to front. Each part is drawn alone
// on a magenta card and then pasted with a 1-pixel outline around it, so a
// limb in front stays separated from the body behind it.
class Quadro {
public:
    Quadro()
        : imagem(pincel::nova(LARGURA, ALTURA, pincel::magenta())),
          parte(create_bitmap(LARGURA, ALTURA)) {}
    ~Quadro() { destroy_bitmap(parte); }
    Quadro(const Quadro&) = delete;
    Quadro& operator=(const Quadro&) = delete;

    BITMAP* novaParte() {
        clear_to_color(parte, pincel::magenta());
        return parte;
    }

    void colarParte() {
        pincel::contornar(parte, 1, contorno());
        draw_sprite(imagem, parte, 0, 0);
    }

    // Hands the finished picture over to the caller.
    BITMAP* entregar() {
        BITMAP* pronta = imagem;
        imagem = nullptr;
        return pronta;
    }

private:
    BITMAP* imagem;
    BITMAP* parte;
};

// A thick line: a square brush of side `grossura` dragged from one end to the other.
void segmento(BITMAP* b, Ponto a, Ponto z, int grossura, int cor) {
    int passos = std::max(std::abs(z.x - a.x), std::abs(z.y - a.y));
    int recuo = grossura / 2;
    for (int i = 0; i <= passos; i++) {
        double t = passos ? double(i) / passos : 0.0;
        int x = int(std::lround(a.x + (z.x - a.x) * t));
        int y = int(std::lround(a.y + (z.y - a.y) * t));
        rectfill(b, x - recuo, y - recuo, x - recuo + grossura - 1, y - recuo + grossura - 1, cor);
    }
}

using pincel::trocarCor;

// Repaints every drawn pixel of rows y1..y2 with `cor`.
void pintarFaixa(BITMAP* b, int y1, int y2, int cor) { pincel::pintarDesenho(b, 0, y1, b->w - 1, y2, cor); }

struct Paleta {
    int pele, peleSombra;
    int cabelo, cabeloSombra;
    int roupa, roupaSombra, roupaEnfeite;
    int perna, pernaSombra;  // trousers or leggings
    int sapato, sapatoSombra, sola;
    int olho, boca;
};

// Where the limbs go in one picture. `passo` is 0 standing, +1 with the near
// leg forward (step 1) and -1 with the near leg back (step 2); the arms swing
// against the legs, and the body sinks one pixel while the legs are apart.
struct Pose {
    int passo;
    int desce() const { return passo == 0 ? 0 : 1; }
};

struct Corpo {
    int quadrilPerto, quadrilLonge;  // hip columns of the near and far leg
    int quadrilY;                    // hip row when standing
    int ombroPerto, ombroLonge;      // shoulder columns
    int ombroY;
    int grossuraPerna, grossuraBraco;
    int passada;   // how far a foot moves forward or back on a step
    int balanco;   // how far a hand swings on a step
    int sapatoFrente, sapatoTras;  // shoe length in front of and behind the ankle
};

constexpr int TORNOZELO_Y = 39;  // the ankle row; the shoe fills rows 40-42, outline 43

void desenharPerna(Quadro& q, const Corpo& c, const Paleta& p, int quadrilX, int avanco,
                   bool perto, const Pose& pose) {
    BITMAP* b = q.novaParte();
    Ponto quadril{quadrilX, c.quadrilY + pose.desce()};
    Ponto tornozelo{quadrilX + avanco, TORNOZELO_Y};
    // The knee bends forward a little more on the leg that is swinging ahead.
    Ponto joelho{(quadril.x + tornozelo.x) / 2 + (avanco > 0 ? 1 : 0),
                 (quadril.y + tornozelo.y) / 2};
    int coxa = perto ? p.perna : p.pernaSombra;  // the far leg is in shade
    segmento(b, joelho, tornozelo, c.grossuraPerna - 1, coxa);
    segmento(b, quadril, joelho, c.grossuraPerna, coxa);
    int sapato = perto ? p.sapato : p.sapatoSombra;
    int x1 = tornozelo.x - c.sapatoTras, x2 = tornozelo.x + c.sapatoFrente;
    rectfill(b, x1, TORNOZELO_Y + 1, x2, TORNOZELO_Y + 3, sapato);
    putpixel(b, x2, TORNOZELO_Y + 1, pincel::magenta());  // rounded toe
    hline(b, x1, TORNOZELO_Y + 3, x2 - 1, p.sola);
    q.colarParte();
}

// Upper arm in the sleeve colour, forearm and hand in skin. Returns the hand.
Ponto desenharBraco(BITMAP* b, const Corpo& c, const Paleta& p, int ombroX, int balanco,
                    bool perto, const Pose& pose) {
    Ponto ombro{ombroX, c.ombroY + pose.desce()};
    // The hand swings on an arc: forward or back it also rises a little.
    Ponto mao{ombroX + balanco + (balanco < 0 ? -1 : 2), ombro.y + 8 - std::abs(balanco) / 3};
    Ponto cotovelo{ombroX + balanco / 2, ombro.y + 5};
    int pele = perto ? p.pele : p.peleSombra;
    segmento(b, cotovelo, mao, c.grossuraBraco - 1, pele);
    segmento(b, ombro, cotovelo, c.grossuraBraco, perto ? p.roupa : p.roupaSombra);
    circlefill(b, mao.x, mao.y, 1, pele);
    return mao;
}

// One walker: its body, its colours and the parts only it has.
struct Andador {
    const Corpo& corpo;
    const Paleta& paleta;
    void (*naMao)(BITMAP* b, Ponto mao, int inclinacao);  // drawn with the arm
    void (*atras)(Quadro& q, const Pose& pose);  // what flies behind, between the legs
    void (*tronco)(Quadro& q, const Pose& pose);
    void (*cabeca)(Quadro& q, const Pose& pose);
};

void braco(Quadro& q, const Andador& a, const Pose& pose, bool perto) {
    BITMAP* b = q.novaParte();
    int sinal = perto ? -1 : 1;
    int ombro = perto ? a.corpo.ombroPerto : a.corpo.ombroLonge;
    Ponto mao = desenharBraco(b, a.corpo, a.paleta, ombro, sinal * pose.passo * a.corpo.balanco, perto, pose);
    a.naMao(b, mao, sinal * pose.passo);
    q.colarParte();
}

// Back to front: the far arm and leg, what flies behind, the near leg, the
// body, the head and the near arm.
BITMAP* desenharAndador(const Andador& a, const Pose& pose) {
    Quadro q;
    const Corpo& c = a.corpo;
    braco(q, a, pose, false);
    desenharPerna(q, c, a.paleta, c.quadrilLonge, -pose.passo * c.passada, false, pose);
    a.atras(q, pose);
    desenharPerna(q, c, a.paleta, c.quadrilPerto, pose.passo * c.passada, true, pose);
    a.tronco(q, pose);
    a.cabeca(q, pose);
    braco(q, a, pose, true);
    return q.entregar();
}

// ---- Zorbo: stocky drummer, round head, red shirt, orange trousers, a yellow
// headband and a drumstick in each hand.

// Built on first use, after the colour depth is set (makecol depends on it).
const Paleta& paletaZorbo() {
    using namespace zorbo;
    static const Paleta p = {
        rgb(PELE),   rgb(PELE_SOMBRA),   rgb(CABELO), rgb(CABELO_SOMBRA),
        rgb(CAMISA), rgb(CAMISA_SOMBRA), rgb(LISTRA), rgb(CALCA),
        rgb(CALCA_SOMBRA), rgb(SAPATO), rgb(SAPATO_SOMBRA), rgb(SOLA),
        rgb(OLHO),   rgb(BOCA)};
    return p;
}

const Corpo CORPO_ZORBO = {
    18, 13, 31,  // hips
    16, 15, 21,  // shoulders
    5, 4,        // thick legs and arms
    5, 7,        // stride and arm swing
    4, 2};       // shoe

void baqueta(BITMAP* b, Ponto mao, int inclinacao) {
    int madeira = rgb(zorbo::MADEIRA);
    segmento(b, mao, Ponto{mao.x + 4 + inclinacao, mao.y - 6}, 1, madeira);
    putpixel(b, mao.x + 4 + inclinacao, mao.y - 6, rgb(zorbo::PONTA_BAQUETA));
}

void zorboTronco(Quadro& q, const Pose& pose) {
    BITMAP* b = q.novaParte();
    int d = pose.desce();
    circlefill(b, 12, 22 + d, 3, paletaZorbo().roupa);
    circlefill(b, 19, 22 + d, 3, paletaZorbo().roupa);
    rectfill(b, 9, 22 + d, 22, 32 + d, paletaZorbo().roupa);
    rectfill(b, 12, 19 + d, 19, 22 + d, paletaZorbo().roupa);
    rectfill(b, 9, 22 + d, 10, 32 + d, paletaZorbo().roupaSombra);  // the back, away from the light
    rectfill(b, 9, 26 + d, 22, 27 + d, paletaZorbo().roupaEnfeite);  // jersey stripe
    hline(b, 9, 32 + d, 22, paletaZorbo().roupaSombra);
    q.colarParte();
}

void zorboFaixa(Quadro& q, const Pose& pose) {
    // The two loose ends of the headband fly behind the head.
    BITMAP* b = q.novaParte();
    int d = pose.desce();
    int faixa = rgb(zorbo::FAIXA), faixaSombra = rgb(zorbo::FAIXA_SOMBRA);
    segmento(b, Ponto{8, 7 + d}, Ponto{3, 5 + d - pose.passo}, 2, faixa);
    segmento(b, Ponto{8, 8 + d}, Ponto{4, 11 + d + pose.passo}, 2, faixaSombra);
    q.colarParte();
}

void zorboCabeca(Quadro& q, const Pose& pose) {
    BITMAP* b = q.novaParte();
    int d = pose.desce();
    int cx = 16, cy = 10 + d;
    circlefill(b, cx, cy, 8, paletaZorbo().pele);
    putpixel(b, cx + 9, cy + 1, paletaZorbo().pele);  // nose
    // Short hair on the crown and the back of the head, with three spikes.
    trocarCor(b, 0, 0, LARGURA - 1, cy - 4, paletaZorbo().pele, paletaZorbo().cabelo);
    trocarCor(b, 0, 0, cx - 5, cy + 3, paletaZorbo().pele, paletaZorbo().cabelo);
    triangle(b, cx - 6, cy - 5, cx - 3, cy - 9, cx - 1, cy - 6, paletaZorbo().cabelo);
    triangle(b, cx - 2, cy - 6, cx + 1, cy - 9, cx + 3, cy - 6, paletaZorbo().cabelo);
    triangle(b, cx + 2, cy - 6, cx + 6, cy - 8, cx + 6, cy - 5, paletaZorbo().cabelo);
    // Headband, lit on top and shaded on its lower edge.
    pintarFaixa(b, cy - 5, cy - 4, rgb(zorbo::FAIXA));
    pintarFaixa(b, cy - 3, cy - 3, rgb(zorbo::FAIXA_SOMBRA));
    // Ear, eye, cheek and a grin.
    rectfill(b, cx - 3, cy, cx - 2, cy + 2, paletaZorbo().peleSombra);
    rectfill(b, cx + 3, cy - 1, cx + 4, cy + 1, makecol(250, 250, 250));
    vline(b, cx + 5, cy - 1, cy + 1, paletaZorbo().olho);
    hline(b, cx + 3, cy - 2, cx + 5, paletaZorbo().cabelo);  // eyebrow
    putpixel(b, cx + 4, cy + 3, makecol(240, 110, 100));
    hline(b, cx + 5, cy + 4, cx + 7, paletaZorbo().boca);
    q.colarParte();
}

Andador zorboAndador() { return {CORPO_ZORBO, paletaZorbo(), baqueta, zorboFaixa, zorboTronco, zorboCabeca}; }

// ---- Velna: slender, teal tunic over green leggings, a golden ponytail that
// bounces as she walks.

const Paleta& paletaVelna() {
    using namespace velna;
    static const Paleta p = {
        rgb(PELE),   rgb(PELE_SOMBRA),   rgb(CABELO),  rgb(CABELO_SOMBRA),
        rgb(TUNICA), rgb(TUNICA_SOMBRA), rgb(ENFEITE), rgb(LEGGING),
        rgb(LEGGING_SOMBRA), rgb(SAPATO), rgb(SAPATO_SOMBRA), rgb(SOLA),
        rgb(OLHO),   rgb(BOCA)};
    return p;
}

const Corpo CORPO_VELNA = {
    18, 14, 30,  // hips
    16, 15, 19,  // shoulders
    4, 3,        // slim legs and arms
    5, 5,        // stride and arm swing
    3, 1};       // shoe

// A wristband in the sash's colour.
void pulseira(BITMAP* b, Ponto mao, int) { putpixel(b, mao.x - 1, mao.y - 2, paletaVelna().roupaEnfeite); }

void velnaTronco(Quadro& q, const Pose& pose) {
    BITMAP* b = q.novaParte();
    int d = pose.desce();
    rectfill(b, 12, 18 + d, 20, 27 + d, paletaVelna().roupa);
    // The tunic flares into a short skirt.
    int saia[] = {12, 26 + d, 20, 26 + d, 23, 32 + d, 9, 32 + d};
    polygon(b, 4, saia, paletaVelna().roupa);
    rectfill(b, 12, 18 + d, 13, 26 + d, paletaVelna().roupaSombra);
    hline(b, 9, 32 + d, 23, paletaVelna().roupaSombra);
    hline(b, 12, 26 + d, 20, paletaVelna().roupaEnfeite);  // sash
    hline(b, 14, 18 + d, 18, paletaVelna().roupaEnfeite);  // collar
    q.colarParte();
}

void velnaRabo(Quadro& q, const Pose& pose) {
    BITMAP* b = q.novaParte();
    int d = pose.desce();
    int sobe = pose.passo == 0 ? 0 : 1;  // the tail bounces up while the body sinks
    segmento(b, Ponto{10, 6 + d}, Ponto{6, 9 + d - sobe}, 4, paletaVelna().cabelo);
    segmento(b, Ponto{6, 9 + d - sobe}, Ponto{4 - pose.passo, 16 + d - 2 * sobe}, 3, paletaVelna().cabelo);
    segmento(b, Ponto{5, 12 + d - sobe}, Ponto{4 - pose.passo, 16 + d - 2 * sobe}, 1,
             paletaVelna().cabeloSombra);
    rectfill(b, 9, 5 + d, 10, 8 + d, paletaVelna().roupa);  // hair tie
    q.colarParte();
}

void velnaCabeca(Quadro& q, const Pose& pose) {
    BITMAP* b = q.novaParte();
    int d = pose.desce();
    int cx = 16, cy = 10 + d;
    circlefill(b, cx, cy, 7, paletaVelna().pele);
    putpixel(b, cx + 8, cy + 1, paletaVelna().pele);  // nose
    // Hair: crown, back of the head and a fringe that stops above the eye.
    trocarCor(b, 0, 0, LARGURA - 1, cy - 4, paletaVelna().pele, paletaVelna().cabelo);
    trocarCor(b, 0, 0, cx - 2, cy + 4, paletaVelna().pele, paletaVelna().cabelo);
    trocarCor(b, cx - 1, cy - 3, cx + 3, cy - 3, paletaVelna().pele, paletaVelna().cabelo);
    trocarCor(b, 0, 0, cx - 5, cy + 4, paletaVelna().cabelo, paletaVelna().cabeloSombra);
    hline(b, cx - 3, cy - 6, cx + 1, rgb(velna::CABELO_BRILHO));  // shine
    // Eye with lashes, a blush and a small mouth.
    rectfill(b, cx + 3, cy - 1, cx + 4, cy + 1, makecol(250, 250, 250));
    vline(b, cx + 5, cy - 1, cy + 1, paletaVelna().olho);
    hline(b, cx + 3, cy - 2, cx + 6, paletaVelna().olho);
    putpixel(b, cx + 3, cy + 3, makecol(250, 140, 150));
    hline(b, cx + 5, cy + 4, cx + 6, paletaVelna().boca);
    q.colarParte();
}

Andador velnaAndador() { return {CORPO_VELNA, paletaVelna(), pulseira, velnaRabo, velnaTronco, velnaCabeca}; }

// ---- Saving: the right-facing picture as drawn, the left-facing one mirrored.

BITMAP* espelhada(BITMAP* original) {
    BITMAP* b = pincel::nova(original->w, original->h, pincel::magenta());
    draw_sprite_h_flip(b, original, 0, 0);
    return b;
}

// The game loads a player's pictures in the order dir, dir1, dir2, esq,
// esq1, esq2: standing, step 1 and step 2, facing right and then left.
void salvarJogador(const char* const (&caminhos)[6], const Andador& andador) {
    const int passos[] = {0, 1, -1};
    for (int i = 0; i < 3; i++) {
        BITMAP* direita = desenharAndador(andador, Pose{passos[i]});
        pincel::salvar(espelhada(direita), caminhos[3 + i]);
        pincel::salvar(direita, caminhos[i]);
    }
}

void gerarPersonagens() {
    salvarJogador(imagens::PERSONAGENS[0], zorboAndador());
    salvarJogador(imagens::PERSONAGENS[1], velnaAndador());
}

pincel::Registro registro("personagens", gerarPersonagens);

}  // namespace
