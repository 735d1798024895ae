// The screen reader's own logic, on memory bitmaps and made-up times: the
// digits of the score panel read back in the library's font, and when a
// picture of a running game counts as standing still.
#include <allegro.h>
#include <gtest/gtest.h>

#include "leitor_tela.h"

using leitura::Ritmo;

namespace {

// A black strip with TEXT printed in white at (x, 0), as the score panel
// prints it, and the digits read from "0123456789" printed the same way.
struct Impresso {
    BITMAP* bmp = create_bitmap(160, 8);
    BITMAP* digitos = create_bitmap(80, 8);
    explicit Impresso(const char* texto, int x = 0) {
        clear_to_color(bmp, makecol(0, 0, 0));
        textout_ex(bmp, font, texto, x, 0, makecol(255, 255, 255), -1);
        clear_to_color(digitos, makecol(0, 0, 0));
        textout_ex(digitos, font, "0123456789", 0, 0, makecol(255, 255, 255), -1);
    }
    ~Impresso() {
        destroy_bitmap(bmp);
        destroy_bitmap(digitos);
    }
    long ler(int x, int celulas) const {
        return leitura::numeroEm(leitura::quadroDe(bmp), x, 0, celulas,
                                 leitura::algarismosDe(leitura::quadroDe(digitos), 0, 0));
    }
};

// Change times of a game drawing a frame every `intervalo` seconds from 0.
void quadrosA(Ritmo& r, double intervalo, int n) {
    for (int k = 0; k <= n; k++) r.ver(k * intervalo, k > 0);
}

}  // namespace

TEST(LeitorNumeros, LeOsPontosAposORotuloAteACelulaVazia) {
    const Impresso p("Pontos: 120300");
    EXPECT_EQ(p.ler(64, 8), 120300);  // the digits start 8 cells in
    EXPECT_EQ(Impresso("Pontos: 0").ler(64, 8), 0);
    // Cut where the panel is cut: only the cells in sight count.
    EXPECT_EQ(p.ler(64, 3), 120);
}

TEST(LeitorNumeros, CelulaQueNaoEAlgarismoOuNadaImpressoNaoELido) {
    EXPECT_EQ(Impresso("Pontos: 12").ler(0, 8), -1);   // 'P' is no digit
    EXPECT_EQ(Impresso("").ler(0, 8), -1);              // nothing printed
    EXPECT_EQ(Impresso("12", 3).ler(0, 4), -1);         // off the cells' grid
}

TEST(RitmoDoJogo, MedeOIntervaloEntreQuadrosNovosENaoAteOPrimeiro) {
    Ritmo r;
    r.ver(0, false);
    r.ver(5, true);  // the game went on 5 s after the watch began: no frame interval
    EXPECT_FALSE(r.mediu());
    r.ver(5.2, true);
    r.ver(5.3, true);
    EXPECT_TRUE(r.mediu());
    EXPECT_NEAR(r.intervalo(), 0.2, 1e-9);  // the longest of the recent gaps
    EXPECT_EQ(r.novos(), 3);
}

TEST(RitmoDoJogo, ParadoSoDepoisDeCincoIntervalosEMeioSegundo) {
    Ritmo rapido;
    quadrosA(rapido, 0.016, 20);  // 62.5 frames a second: the floor rules
    const double ultimo = 20 * 0.016;
    EXPECT_DOUBLE_EQ(rapido.espera(), Ritmo::PISO_S);
    rapido.ver(ultimo + 0.49, false);
    EXPECT_FALSE(rapido.parado());
    rapido.ver(ultimo + 0.51, false);
    EXPECT_TRUE(rapido.parado());

    Ritmo lento;  // under emulation on a busy machine: 0.3 s a frame
    quadrosA(lento, 0.3, 10);
    lento.ver(3 + 1.0, false);  // three shots in a row equal, 1 s: not yet still
    EXPECT_FALSE(lento.parado());
    lento.ver(3 + 1.51, false);
    EXPECT_TRUE(lento.parado());
}

TEST(RitmoDoJogo, UmQuadroLentoNoMeioAlongaAEspera) {
    Ritmo r;
    quadrosA(r, 0.02, 10);
    r.ver(0.2 + 0.4, true);  // one slow frame among fast ones
    r.ver(0.62, true);
    EXPECT_NEAR(r.espera(), 5 * 0.4, 1e-9);
    // Gaps longer than a frame can be (the game stood still between) do not count.
    r.ver(10, true);
    EXPECT_NEAR(r.espera(), 5 * 0.4, 1e-9);
}

TEST(RitmoDoJogo, SemQuadrosVistosUsaOIntervaloLembrado) {
    Ritmo lembrado(0.25);  // a paused game from the start of the watch
    lembrado.ver(0, false);
    lembrado.ver(1.2, false);
    EXPECT_FALSE(lembrado.parado());
    lembrado.ver(1.25, false);
    EXPECT_TRUE(lembrado.parado());
    EXPECT_FALSE(lembrado.mediu());

    Ritmo nada;  // nothing known: the floor
    EXPECT_FALSE(nada.parado());
    nada.ver(0, false);
    nada.ver(0.5, false);
    EXPECT_TRUE(nada.parado());
}
