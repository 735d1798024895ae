// The character on fixture pictures of known sizes and colours: where it is
// drawn, which picture, and how walls (pure black in the buffer) stop and hit it.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

#include "Personagem.h"
#include "apoio.h"
#include "fixture_jogador.h"

namespace {

using fixture::DIR;
using fixture::DIR1;
using fixture::DIR2;
using fixture::ESQ;
using fixture::ESQ1;
using fixture::ESQ2;
using fixture::NENHUMA;

// A black rectangle drawn into the buffer before the characters run.
struct Preto {
    int x, y, w, h;
};

class Figura : public ::testing::Test {
protected:
    void SetUp() override { apoio::soltarTodasTeclas(); }
    void TearDown() override { apoio::soltarTodasTeclas(); }

    // Writes the player's pictures (all one size) and builds its character.
    Personagem& criar(int jogador, int largura, int altura, int linhasPretas = 0) {
        fixture::gravarPersonagem(pasta, jogador, largura, altura, linhasPretas);
        return construir(jogador);
    }

    Personagem& construir(int jogador) {
        auto& p = jogador == 1 ? p1 : p2;
        p = jogador == 1 ? std::make_unique<Personagem>(KEY_G, KEY_H, 1)
                         : std::make_unique<Personagem>(KEY_LEFT, KEY_RIGHT, jogador);
        return *p;
    }

    // One stage frame: background, the walls, then player 1 and player 2.
    void quadro(std::vector<Preto> pretos = {}) {
        clear_to_color(buffer.get(), fixture::corFundo());
        for (const Preto& r : pretos)
            rectfill(buffer.get(), r.x, r.y, r.x + r.w - 1, r.y + r.h - 1, fixture::preto());
        if (p1) p1->processar(*buffer);
        if (p2) p2->processar(*buffer);
    }

    void quadros(int n) {
        for (int i = 0; i < n; i++) quadro();
    }

    fixture::Visto visto(int jogador = 1) { return fixture::procurar(buffer.get(), jogador); }

    static void segurar(int tecla, bool segura = true) { key[tecla] = segura ? 1 : 0; }

    apoio::PastaTemporaria pasta;
    apoio::Bitmap buffer{640, 480};
    std::unique_ptr<Personagem> p1, p2;
};

// ---- start --------------------------------------------------------------------

TEST_F(Figura, ComecaNoMeioDoSeuLadoOlhandoParaEsquerda) {
    fixture::gravarPersonagem(pasta, 1, 40, 48);
    fixture::gravarPersonagem(pasta, 2, 40, 48);
    for (int jogador : {1, 2, 3}) {
        SCOPED_TRACE(jogador);
        p1.reset();
        p2.reset();
        Personagem& p = construir(jogador);
        EXPECT_EQ(p.get_vidas(), 3);
        quadro();
        const fixture::Visto v = visto(jogador);
        EXPECT_EQ(v.figura, ESQ);
        EXPECT_EQ(v.x, jogador == 1 ? 140 : 460);
        EXPECT_EQ(v.y, 441 - 48);
    }
}

TEST_F(Figura, PosicaoInicialVemDaFiguraParadaParaEsquerda) {
    for (int f = DIR; f <= ESQ2; f++) {
        const int largura = f == ESQ ? 40 : f == DIR ? 30 : 36;
        const int altura = f == ESQ ? 48 : f == DIR ? 44 : 40;
        fixture::gravarFigura(pasta, fixture::caminhoFigura(1, f), largura, altura,
                              fixture::corFigura(1, f), 0);
    }
    construir(1);
    quadro();
    EXPECT_EQ(visto().figura, ESQ);
    EXPECT_EQ(visto().x, 140);
    EXPECT_EQ(visto().y, 393);
    // The feet line is fixed once: a shorter picture hangs from the same top row.
    segurar(KEY_H);
    quadro();
    EXPECT_EQ(visto().figura, DIR);
    EXPECT_EQ(visto().x, 143);
    EXPECT_EQ(visto().y, 393);
}

// ---- walking -----------------------------------------------------------------

TEST_F(Figura, LimitesEsquerdoEDireitoTestadosAntesDoPasso) {
    criar(1, 40, 48);  // starts at 140
    segurar(KEY_G);
    quadros(3);
    EXPECT_EQ(visto().x, 140);
    segurar(KEY_G, false);
    segurar(KEY_H);
    quadros(120);
    EXPECT_EQ(visto().x + 40, 498);  // 498 is past 497: no further step

    p1.reset();
    criar(1, 38, 48);  // starts at 141
    segurar(KEY_H, false);
    segurar(KEY_G);
    quadro();
    EXPECT_EQ(visto().x, 138);
    quadro();
    EXPECT_EQ(visto().x, 138);
    segurar(KEY_G, false);
    segurar(KEY_H);
    quadros(107);
    EXPECT_EQ(visto().x + 38, 497);
    quadro();
    EXPECT_EQ(visto().x + 38, 500);
    quadros(3);
    EXPECT_EQ(visto().x + 38, 500);
}

TEST_F(Figura, PretoNasDuasColunasDeCadaLadoBloqueia) {
    criar(1, 40, 48);
    segurar(KEY_H);
    quadros(10);
    segurar(KEY_H, false);
    const int y = 393, h = 48, w = 40;
    struct Caso {
        int tecla;
        int dx, dy;  // the black pixel, from the picture's top-left corner
        bool bloqueia;
    };
    const Caso casos[] = {
        {KEY_G, 0, 0, true},          {KEY_G, -1, h - 1, true},
        {KEY_G, -2, 20, false},       {KEY_G, -1, -1, false},
        {KEY_G, -1, h, false},        {KEY_H, w, 0, true},
        {KEY_H, w + 1, h - 1, true},  {KEY_H, w + 2, 20, false},
        {KEY_H, w, h, false},         {KEY_H, w + 1, -1, false},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(testing::Message() << "black at (x" << c.dx << ", y" << c.dy << ")");
        const int x = visto().x;
        segurar(c.tecla);
        quadro({{x + c.dx, y + c.dy, 1, 1}});
        segurar(c.tecla, false);
        const int passo = c.tecla == KEY_G ? -3 : 3;
        EXPECT_EQ(visto().x, c.bloqueia ? x : x + passo);
        ASSERT_EQ(p1->get_vidas(), 3);
    }
}

TEST_F(Figura, ContraAParedeViraEAndaNoLugar) {
    criar(1, 40, 48);
    segurar(KEY_H);
    for (int n = 1; n <= 12; n++) {
        quadro({{180, 393, 1, 48}});
        EXPECT_EQ(visto().x, 140) << "frame " << n;
        EXPECT_EQ(visto().figura, n == 1 || n >= 10 ? DIR : DIR1) << "frame " << n;
    }
}

TEST_F(Figura, DuasTeclasNaoAndamNemViram) {
    criar(1, 40, 48);
    segurar(KEY_H);
    quadros(5);  // x 155, facing right, mid-step
    segurar(KEY_G);
    for (int n = 0; n < 10; n++) {
        quadro();
        EXPECT_EQ(visto().x, 155);
        EXPECT_EQ(visto().figura, DIR);
    }
    segurar(KEY_H, false);
    quadro();
    EXPECT_EQ(visto().x, 152);
    segurar(KEY_H);
    quadro();
    EXPECT_EQ(visto().x, 152);
    EXPECT_EQ(visto().figura, ESQ);
    // The cycle was stopped: walking again starts from the standing picture.
    segurar(KEY_G, false);
    quadro();
    EXPECT_EQ(visto().figura, DIR);
    quadro();
    EXPECT_EQ(visto().figura, DIR1);
}

TEST_F(Figura, PassoDaDireitaParteDeOndeOPassoDaEsquerdaDeixou) {
    criar(1, 40, 48);
    segurar(KEY_H);
    quadros(10);  // x 170
    segurar(KEY_G);
    // Free where the character stands, but right beside it once it stepped left.
    quadro({{170 + 40 - 2, 393 + 10, 1, 1}});
    EXPECT_EQ(visto().x, 167);
}

// ---- hit from above ----------------------------------------------------------

TEST_F(Figura, GolpeSoPorPretoNasDuasLinhasAcimaENasColunasDaCabeca) {
    fixture::gravarPersonagem(pasta, 1, 40, 48);
    const int w = 40;
    struct Caso {
        int dx, dy;
        bool golpe;
    };
    const Caso casos[] = {
        {2, -1, true},   {w - 2, -1, true},  {2, -2, true},   {w - 2, -2, true},
        {1, -1, false},  {3, -1, false},     {w - 3, -1, false}, {w - 1, -1, false},
        {2, -3, false},  {w - 2, -3, false}, {0, -1, false},  {w, -2, false},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(testing::Message() << "black at (x+" << c.dx << ", y" << c.dy << ")");
        Personagem& p = construir(1);
        quadro({{140 + c.dx, 393 + c.dy, 1, 1}});
        EXPECT_EQ(p.get_vidas(), c.golpe ? 2 : 3);
        EXPECT_EQ(visto().figura, ESQ);  // drawn in the frame of the hit too
    }
}

// Values of the recovery counter in which the blinking character is hidden.
std::set<int> contagensEscondidas() {
    std::set<int> escondidas = {99};
    for (int inicio = 3; inicio <= 93; inicio += 6)
        for (int c = inicio; c < inicio + 3; c++) escondidas.insert(c);
    return escondidas;
}

TEST_F(Figura, PiscaNosQuadrosDaRecuperacao) {
    Personagem& p = criar(1, 40, 48);
    quadro({{142, 392, 1, 1}});
    ASSERT_EQ(p.get_vidas(), 2);
    const std::set<int> escondidas = contagensEscondidas();
    for (int depois = 1; depois <= 110; depois++) {
        quadro();
        // The hit frame counts 1, so this frame counts depois + 1 (0 from 100 on).
        const bool esperado = escondidas.count(depois + 1) == 0;
        EXPECT_EQ(visto().figura != NENHUMA, esperado) << depois << " frames after the hit";
    }
    EXPECT_EQ(p.get_vidas(), 2);
}

TEST_F(Figura, RecuperandoAtravessaParedesMasNaoOsLimites) {
    Personagem& p = criar(1, 40, 48);
    segurar(KEY_H);
    quadros(10);
    segurar(KEY_H, false);
    segurar(KEY_G);
    // The frame of the hit: the wall still blocks, the hit comes after the walk.
    quadro({{172, 392, 1, 1}, {169, 393, 1, 48}});
    ASSERT_EQ(p.get_vidas(), 2);
    EXPECT_EQ(visto().x, 170);
    int x = 170;
    for (int depois = 1; depois <= 18; depois++) {
        quadro({{x - 1, 393, 1, 48}});
        if (x > 140) x -= 3;
        const fixture::Visto v = visto();
        if (v.figura != NENHUMA) EXPECT_EQ(v.x, x) << depois << " frames after the hit";
    }
    ASSERT_NE(visto().figura, NENHUMA);
    EXPECT_EQ(visto().x, 140);
    EXPECT_EQ(p.get_vidas(), 2);
}

TEST_F(Figura, PretoQueFicaSobreACabecaGolpeiaAoFimDaRecuperacao) {
    Personagem& p = criar(1, 40, 48);
    quadro({{178, 392, 1, 1}});
    ASSERT_EQ(p.get_vidas(), 2);
    for (int depois = 1; depois <= 99; depois++) {
        quadro({{178, 392, 1, 1}});
        ASSERT_EQ(p.get_vidas(), 2) << depois << " frames after the hit";
    }
    quadro({{178, 392, 1, 1}});
    EXPECT_EQ(p.get_vidas(), 1);
}

TEST_F(Figura, PretoQueSaiDuranteARecuperacaoNaoDeixaGolpePendente) {
    Personagem& p = criar(1, 40, 48);
    for (int depois = 0; depois <= 50; depois++) quadro({{142, 392, 1, 1}});
    ASSERT_EQ(p.get_vidas(), 2);
    for (int depois = 51; depois <= 130; depois++) quadro();
    EXPECT_EQ(p.get_vidas(), 2);
}

TEST_F(Figura, UltimaVidaDesenhaUmaVezEDepoisParaDeTudo) {
    Personagem& p = criar(1, 40, 48);
    p.set_vidas(1);
    quadro({{142, 392, 1, 1}});
    EXPECT_EQ(p.get_vidas(), 0);
    EXPECT_EQ(visto().figura, ESQ);
    segurar(KEY_H);
    for (int n = 0; n < 10; n++) {
        quadro({{142, 392, 1, 1}});
        EXPECT_EQ(visto().figura, NENHUMA);
    }
    EXPECT_EQ(p.get_vidas(), 0);
    segurar(KEY_H, false);
    p.resetarVidas();
    quadro();
    EXPECT_EQ(visto().x, 140);  // it did not walk while out
    EXPECT_EQ(p.get_vidas(), 3);
}

TEST_F(Figura, ResetarVidasTerminaARecuperacaoNaHora) {
    Personagem& p = criar(1, 40, 48);
    segurar(KEY_H);
    quadros(10);
    segurar(KEY_H, false);
    quadro({{172, 392, 1, 1}});
    quadro();
    quadro();
    ASSERT_EQ(visto().figura, NENHUMA);  // blinking
    p.resetarVidas();
    EXPECT_EQ(p.get_vidas(), 3);
    for (int n = 0; n < 12; n++) {
        quadro();
        EXPECT_EQ(visto().figura, DIR);
        EXPECT_EQ(visto().x, 170);
    }
    segurar(KEY_G);
    quadro({{169, 393, 1, 48}});  // walls block again
    EXPECT_EQ(visto().x, 170);
    segurar(KEY_G, false);
    quadro({{172, 392, 1, 1}});  // and a hit counts again
    EXPECT_EQ(p.get_vidas(), 2);
}

// ---- animation ---------------------------------------------------------------

// The picture shown while walking, by the walk-cycle counter.
int figuraDoPasso(int animacao, bool esquerda) {
    const int parada = esquerda ? ESQ : DIR;
    if (animacao >= 2 && animacao <= 9) return esquerda ? ESQ1 : DIR1;
    if (animacao >= 18 && animacao <= 25) return esquerda ? ESQ2 : DIR2;
    return parada;
}

TEST_F(Figura, CicloDoPassoOitoQuadrosPorFiguraRepeteA32) {
    criar(1, 40, 48);
    segurar(KEY_H);
    for (int n = 1; n <= 40; n++) {
        quadro();
        ASSERT_EQ(visto().figura, figuraDoPasso(n % 32, false)) << "frame " << n;
        ASSERT_EQ(visto().x, 140 + 3 * n);
    }
    segurar(KEY_H, false);
    quadro();
    EXPECT_EQ(visto().figura, DIR);
    segurar(KEY_G);
    for (int n = 1; n <= 34; n++) {
        quadro();
        ASSERT_EQ(visto().figura, figuraDoPasso(n % 32, true)) << "frame " << n;
    }
}

TEST_F(Figura, VirarAndandoContinuaOCiclo) {
    criar(1, 40, 48);
    segurar(KEY_H);
    quadros(5);
    segurar(KEY_H, false);
    segurar(KEY_G);
    quadro();
    EXPECT_EQ(visto().figura, ESQ1);  // counter 6, facing left now
}

// ---- two characters in one buffer --------------------------------------------

// Player 1's pictures get a pure-black top band here on purpose, so that the
// second character has something of the first to run into.
TEST_F(Figura, SegundoEsbarraNoPrimeiroDesenhadoAntes) {
    Personagem& primeiro = criar(1, 40, 48, 10);
    Personagem& segundo = criar(2, 40, 48);
    segurar(KEY_LEFT);
    for (int n = 0; n < 120; n++) quadro();
    EXPECT_EQ(visto(2).x, 178);  // the black band covers columns 140..179
    EXPECT_EQ(primeiro.get_vidas(), 3);
    EXPECT_EQ(segundo.get_vidas(), 3);
}

TEST_F(Figura, SegundoGolpeadoPeloPrimeiroNoMesmoQuadro) {
    Personagem& primeiro = criar(1, 40, 48, 10);  // black rows 393..402
    Personagem& segundo = criar(2, 40, 38);       // head rows 401 and 402
    segurar(KEY_H);
    for (int n = 1; n <= 100; n++) {
        quadro();
        const int x1 = 140 + 3 * n;
        const bool cobreCabeca = x1 + 39 >= 462;
        ASSERT_EQ(visto(1).x, x1);
        ASSERT_EQ(segundo.get_vidas(), cobreCabeca ? 2 : 3) << "player 1 at " << x1;
    }
    EXPECT_EQ(primeiro.get_vidas(), 3);
}

TEST_F(Figura, NuncaEsbarraNaPropriaFigura) {
    Personagem& p = criar(1, 40, 48, 48);  // all black
    segurar(KEY_H);
    quadros(10);
    segurar(KEY_H, false);
    segurar(KEY_G);
    quadros(10);
    segurar(KEY_G, false);
    EXPECT_EQ(p.get_vidas(), 3);
    EXPECT_EQ(apoio::contarCor(buffer.get(), 140, 393, 40, 48, fixture::preto()), 40 * 48);
    EXPECT_EQ(apoio::contarCor(buffer.get(), 139, 393, 1, 48, fixture::preto()), 0);
    EXPECT_EQ(apoio::contarCor(buffer.get(), 180, 393, 1, 48, fixture::preto()), 0);
}

}  // namespace
