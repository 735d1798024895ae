// The health bar on a cover strip: which fill columns each miss and hit
// paints, with fixture pictures of known sizes and colours. Built into the
// native unit tests and into the 32-bit test program, so it depends only on
// Sangue, the test helpers and GoogleTest.
#include "Sangue.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "apoio.h"
#include "define.h"

namespace {

const int ALTURA_FAIXA = 29;
const int COLUNAS = 100;  // one fill column per percentage point
const int ALTURA_PECA = 8;
// The fixture frame: a border around a window that lies exactly over the fill
// when the frame is placed as the players place it (16 columns left of the
// fill origin, 2 rows above the fill).
const int MOLDURA_L = 124;
const int MOLDURA_A = 12;
const int JANELA_X = POSS1_X + 1 - POSB1_X;
const int JANELA_Y = POSS1_Y - POSB1_Y;

// Fixture colours by letter, so a row of the fill reads as a string:
// C full fill, U one healed column, V five empty columns, M frame, . strip.
int cor(char letra) {
    switch (letra) {
        case 'C': return makecol(200, 30, 30);
        case 'U': return makecol(30, 200, 30);
        case 'V': return makecol(60, 60, 60);
        case 'M': return makecol(30, 30, 200);
        default: return makecol(240, 240, 0);
    }
}

char letra(int c) {
    for (char l : std::string("CUVM."))
        if (cor(l) == c) return l;
    return '?';
}

std::string colunas(int vezes, char l) { return std::string(vezes, l); }

struct Posicao {
    int pX, pY, bX, bY;
};
const Posicao JOGADOR1 = {POSS1_X, POSS1_Y, POSB1_X, POSB1_Y};
const Posicao JOGADOR2 = {POSS2_X, POSS2_Y, POSB2_X, POSB2_Y};

void gravarMolduraVazada() {
    BITMAP* m = create_bitmap(MOLDURA_L, MOLDURA_A);
    clear_to_color(m, cor('M'));
    rectfill(m, JANELA_X, JANELA_Y, JANELA_X + COLUNAS - 1, JANELA_Y + ALTURA_PECA - 1,
             makecol(255, 0, 255));
    std::filesystem::create_directories("sangue");
    save_bmp("./sangue/barraHPm.bmp", m, NULL);
    destroy_bitmap(m);
}

// Brings a bar from 100 to `alvo` with misses, then hits (a bounded number,
// so a bar that does not move fails instead of hanging).
void levarA(Sangue& s, int alvo) {
    for (int i = 0; i < 20 && s.getPorcentagem() > alvo; i++) s.sofrerDano();
    for (int i = 0; i < 100 && s.getPorcentagem() < alvo; i++) s.recuperarLife();
    ASSERT_EQ(s.getPorcentagem(), alvo);
}

class BarraDeVida : public ::testing::Test {
protected:
    apoio::PastaTemporaria pasta;
    apoio::Bitmap faixa{MAX_X, ALTURA_FAIXA, cor('.')};
    Posicao pos = JOGADOR1;

    void SetUp() override {
        pasta.gravarImagem("./sangue/umLife.bmp", 1, ALTURA_PECA, cor('U'));
        pasta.gravarImagem("./sangue/cincoUnidades.bmp", 5, ALTURA_PECA, cor('V'));
        pasta.gravarImagem("./sangue/cemLife.bmp", COLUNAS, ALTURA_PECA, cor('C'));
        gravarMolduraVazada();
    }

    std::unique_ptr<Sangue> criar() {
        return std::make_unique<Sangue>(*faixa, pos.pX, pos.pY, pos.bX, pos.bY);
    }

    // The fill columns, left to right, one letter each; '*' where the rows of
    // a column differ.
    std::string preenchimento() {
        std::string s;
        for (int k = 0; k < COLUNAS; k++) {
            int x = pos.pX + 1 + k;
            char l = letra(getpixel(faixa.get(), x, pos.pY));
            for (int y = pos.pY + 1; y < pos.pY + ALTURA_PECA; y++)
                if (letra(getpixel(faixa.get(), x, y)) != l) l = '*';
            s += l;
        }
        return s;
    }

    void apagarPreenchimento() {
        rectfill(faixa.get(), pos.pX + 1, pos.pY, pos.pX + COLUNAS, pos.pY + ALTURA_PECA - 1,
                 cor('.'));
    }

    int pixelsDaMoldura() {
        return apoio::contarCor(faixa.get(), pos.bX, pos.bY, MOLDURA_L, MOLDURA_A, cor('M'));
    }

    // True when every pixel outside the fill rectangle equals `antes`.
    bool foraDoPreenchimentoIgual(BITMAP* antes) {
        for (int y = 0; y < ALTURA_FAIXA; y++)
            for (int x = 0; x < MAX_X; x++) {
                bool noPreenchimento = x > pos.pX && x <= pos.pX + COLUNAS && y >= pos.pY &&
                                       y < pos.pY + ALTURA_PECA;
                if (!noPreenchimento && getpixel(antes, x, y) != getpixel(faixa.get(), x, y))
                    return false;
            }
        return true;
    }

    // Clears the fill, runs `acao` and returns what it painted there; fails
    // the test if it painted anywhere else.
    template <typename Acao>
    std::string pintadoPor(Acao acao) {
        apagarPreenchimento();
        apoio::Bitmap antes(MAX_X, ALTURA_FAIXA);
        blit(faixa.get(), antes.get(), 0, 0, 0, 0, MAX_X, ALTURA_FAIXA);
        acao();
        EXPECT_TRUE(foraDoPreenchimentoIgual(antes.get())) << "painted outside the fill";
        return preenchimento();
    }
};

const int MOLDURA_SEM_JANELA = MOLDURA_L * MOLDURA_A - COLUNAS * ALTURA_PECA;

TEST_F(BarraDeVida, NovaPintaMolduraEPreenchimentoCheio) {
    auto s = criar();
    EXPECT_EQ(s->getPorcentagem(), 100);
    EXPECT_FALSE(s->morto());
    EXPECT_EQ(preenchimento(), colunas(100, 'C'));
    EXPECT_EQ(pixelsDaMoldura(), MOLDURA_SEM_JANELA);
    EXPECT_EQ(apoio::contarCor(faixa.get(), 0, 0, MAX_X, ALTURA_FAIXA, cor('.')),
              MAX_X * ALTURA_FAIXA - MOLDURA_L * MOLDURA_A);
    // The fill covers columns 21 to 120 of the strip.
    EXPECT_EQ(letra(getpixel(faixa.get(), 21, POSS1_Y)), 'C');
    EXPECT_EQ(letra(getpixel(faixa.get(), 120, POSS1_Y)), 'C');
    EXPECT_EQ(letra(getpixel(faixa.get(), 121, POSS1_Y)), 'M');
}

// With a frame that is opaque over the fill, only painting the fill after the
// frame leaves the fill visible.
TEST_F(BarraDeVida, PreenchimentoPintadoDepoisDaMoldura) {
    pasta.gravarImagem("./sangue/barraHPm.bmp", MOLDURA_L, MOLDURA_A, cor('M'));
    auto s = criar();
    EXPECT_EQ(preenchimento(), colunas(100, 'C'));
    EXPECT_EQ(pixelsDaMoldura(), MOLDURA_SEM_JANELA);
}

TEST_F(BarraDeVida, CuraSoPintaAbaixoDeCem) {
    auto s = criar();
    EXPECT_EQ(pintadoPor([&] { s->recuperarLife(); }), colunas(100, '.'));
    EXPECT_EQ(s->getPorcentagem(), 100);

    s->sofrerDano();
    for (int i = 0; i < 4; i++) s->recuperarLife();
    EXPECT_EQ(s->getPorcentagem(), 99);
    EXPECT_EQ(pintadoPor([&] { s->recuperarLife(); }), colunas(99, '.') + "U");
    EXPECT_EQ(s->getPorcentagem(), 100);
    EXPECT_EQ(pintadoPor([&] { s->recuperarLife(); }), colunas(100, '.'));
    EXPECT_EQ(s->getPorcentagem(), 100);
}

TEST_F(BarraDeVida, ErroEsvaziaCincoColunasEAcertoEncheUma) {
    auto s = criar();
    EXPECT_EQ(pintadoPor([&] { s->sofrerDano(); }), colunas(95, '.') + colunas(5, 'V'));
    EXPECT_EQ(s->getPorcentagem(), 95);
    EXPECT_EQ(pintadoPor([&] { s->recuperarLife(); }), colunas(95, '.') + "U" + colunas(4, '.'));
    EXPECT_EQ(s->getPorcentagem(), 96);
    EXPECT_EQ(pintadoPor([&] { s->sofrerDano(); }), colunas(91, '.') + colunas(5, 'V') + colunas(4, '.'));
    EXPECT_EQ(s->getPorcentagem(), 91);
}

TEST_F(BarraDeVida, VinteErrosEsvaziamABarra) {
    auto s = criar();
    for (int i = 0; i < 19; i++) s->sofrerDano();
    EXPECT_EQ(s->getPorcentagem(), 5);
    EXPECT_FALSE(s->morto());
    EXPECT_EQ(preenchimento(), colunas(5, 'C') + colunas(95, 'V'));

    s->sofrerDano();
    EXPECT_EQ(s->getPorcentagem(), 0);
    EXPECT_TRUE(s->morto());
    EXPECT_EQ(preenchimento(), colunas(100, 'V'));

    s->recuperarLife();
    EXPECT_EQ(s->getPorcentagem(), 1);
    EXPECT_FALSE(s->morto());
    EXPECT_EQ(preenchimento(), "U" + colunas(99, 'V'));
}

TEST_F(BarraDeVida, ErroAbaixoDeCincoParaEmZero) {
    auto s = criar();
    levarA(*s, 3);
    EXPECT_EQ(pintadoPor([&] { s->sofrerDano(); }), colunas(5, 'V') + colunas(95, '.'));
    EXPECT_EQ(s->getPorcentagem(), 0);
    EXPECT_TRUE(s->morto());
    // Out already: the same five columns again, still 0.
    EXPECT_EQ(pintadoPor([&] { s->sofrerDano(); }), colunas(5, 'V') + colunas(95, '.'));
    EXPECT_EQ(s->getPorcentagem(), 0);
    EXPECT_TRUE(s->morto());
}

TEST_F(BarraDeVida, ResetarHPEncheTudoDeQualquerValor) {
    for (int valor : {0, 3, 42, 99, 100}) {
        SCOPED_TRACE(valor);
        auto s = criar();
        levarA(*s, valor);
        EXPECT_EQ(pintadoPor([&] { s->resetarHP(); }), colunas(100, 'C'));
        EXPECT_EQ(s->getPorcentagem(), 100);
        EXPECT_FALSE(s->morto());
    }
}

// As between stages: the strip is cleared, the frame comes back every frame,
// the fill only with resetarHP.
TEST_F(BarraDeVida, DesenharRepintaSoAMoldura) {
    auto s = criar();
    s->sofrerDano();
    clear_to_color(faixa.get(), cor('.'));
    s->desenhar();
    EXPECT_EQ(pixelsDaMoldura(), MOLDURA_SEM_JANELA);
    EXPECT_EQ(preenchimento(), colunas(100, '.'));
    EXPECT_EQ(s->getPorcentagem(), 95);

    // Over a painted fill the frame's window leaves every column as it was.
    s->resetarHP();
    s->sofrerDano();
    s->desenhar();
    EXPECT_EQ(preenchimento(), colunas(95, 'C') + colunas(5, 'V'));
}

TEST_F(BarraDeVida, SegundoJogadorNasSuasPosicoes) {
    pos = JOGADOR2;
    auto s = criar();
    EXPECT_EQ(preenchimento(), colunas(100, 'C'));
    EXPECT_EQ(pixelsDaMoldura(), MOLDURA_SEM_JANELA);
    // Nothing left of its frame; its fill covers columns 520 to 619.
    EXPECT_EQ(apoio::contarCor(faixa.get(), 0, 0, POSB2_X, ALTURA_FAIXA, cor('.')),
              POSB2_X * ALTURA_FAIXA);
    EXPECT_EQ(letra(getpixel(faixa.get(), 519, POSS2_Y)), 'M');
    EXPECT_EQ(letra(getpixel(faixa.get(), 520, POSS2_Y)), 'C');

    EXPECT_EQ(pintadoPor([&] { s->sofrerDano(); }), colunas(95, '.') + colunas(5, 'V'));
    EXPECT_EQ(letra(getpixel(faixa.get(), 615, POSS2_Y)), 'V');
    EXPECT_EQ(letra(getpixel(faixa.get(), 619, POSS2_Y)), 'V');
    EXPECT_EQ(pintadoPor([&] { s->recuperarLife(); }), colunas(95, '.') + "U" + colunas(4, '.'));
    EXPECT_EQ(pintadoPor([&] { s->resetarHP(); }), colunas(100, 'C'));
}

// The game's own pictures through the bar once: the fill pieces have their
// widths, and the frame drawn over them leaves every fill pixel visible.
using Imagem = std::unique_ptr<BITMAP, void (*)(BITMAP*)>;

Imagem carregar(const char* caminho) { return Imagem(load_bitmap(caminho, NULL), destroy_bitmap); }

// True when the non-magenta pixels of columns [de, ate) of `peca` are on
// `faixa` with the piece's top-left at (x, y).
bool mostra(BITMAP* faixa, BITMAP* peca, int x, int y, int de, int ate) {
    const int magenta = makecol(255, 0, 255);
    for (int j = 0; j < peca->h; j++)
        for (int i = de; i < ate; i++) {
            int c = getpixel(peca, i, j);
            if (c != magenta && getpixel(faixa, x + i, y + j) != c) return false;
        }
    return true;
}

TEST(BarraDeVidaComPecasDoJogo, PreenchimentoVisivelSobAMoldura) {
    const char* pecas[] = {"./sangue/umLife.bmp", "./sangue/cincoUnidades.bmp",
                           "./sangue/cemLife.bmp", "./sangue/barraHPm.bmp"};
    for (const char* p : pecas)
        if (!std::filesystem::exists(apoio::pastaDados() + "/" + p))
            GTEST_SKIP() << "the game's picture " << p << " is not drawn yet";

    apoio::PastaTemporaria pasta;
    for (const char* p : pecas) pasta.copiarDoJogo(p);
    Imagem um = carregar(pecas[0]), cinco = carregar(pecas[1]), cem = carregar(pecas[2]);
    ASSERT_TRUE(um && cinco && cem);
    EXPECT_EQ(um->w, 1);
    EXPECT_EQ(cinco->w, 5);
    EXPECT_EQ(cem->w, COLUNAS);
    EXPECT_EQ(um->h, cem->h);
    EXPECT_EQ(cinco->h, cem->h);

    apoio::Bitmap faixa(MAX_X, ALTURA_FAIXA);
    const int x0 = POSS1_X + 1, y0 = POSS1_Y;
    Sangue s(*faixa, POSS1_X, POSS1_Y, POSB1_X, POSB1_Y);
    s.desenhar();
    EXPECT_TRUE(mostra(faixa.get(), cem.get(), x0, y0, 0, COLUNAS)) << "full bar";

    apoio::Bitmap antes(MAX_X, ALTURA_FAIXA);
    blit(faixa.get(), antes.get(), 0, 0, 0, 0, MAX_X, ALTURA_FAIXA);
    s.sofrerDano();
    s.desenhar();
    EXPECT_TRUE(mostra(faixa.get(), cem.get(), x0, y0, 0, 95)) << "after a miss, 0..94";
    EXPECT_TRUE(mostra(faixa.get(), cinco.get(), x0 + 95, y0, 0, 5)) << "after a miss, 95..99";
    EXPECT_FALSE(apoio::mesmosPixels(faixa.get(), antes.get())) << "a miss must show";

    s.recuperarLife();
    s.desenhar();
    EXPECT_TRUE(mostra(faixa.get(), um.get(), x0 + 95, y0, 0, 1)) << "after a hit, 95";
}

}  // namespace
