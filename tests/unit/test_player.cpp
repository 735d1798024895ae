// The player: what its frame paints on the cover strip and in the buffer, and
// how hits, misses, walls and the end of a stage change its score, health and lives.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "Player.h"
#include "apoio.h"
#include "fixture_jogador.h"
#include "imagens.h"

namespace {

struct Preto {
    int x, y, w, h;
};

// Player 1's character on the fixture pictures (40 x 48) stands at x 140, y 393;
// this pixel is just above its head.
const Preto SOBRE_A_CABECA_1 = {142, 392, 1, 1};

// The lives box as it should look: black, with `n` icons of the player side by side.
std::unique_ptr<apoio::Bitmap> caixaEsperada(int jogador, int n) {
    auto caixa = std::make_unique<apoio::Bitmap>(52, 16, 0);
    for (int i = 0; i < n; i++)
        rectfill(caixa->get(), 16 * i, 0, 16 * i + 15, 15, fixture::corIcone(jogador));
    return caixa;
}

class Jogador : public ::testing::Test {
protected:
    void SetUp() override {
        apoio::soltarTodasTeclas();
        fixture::gravarSangue(pasta);
        fixture::gravarIcones(pasta);
        fixture::gravarPersonagem(pasta, 1, 40, 48);
        fixture::gravarPersonagem(pasta, 2, 40, 48);
    }
    void TearDown() override { apoio::soltarTodasTeclas(); }

    Player& criar(int jogador) {
        auto& p = jogador == 1 ? p1 : p2;
        p = std::make_unique<Player>(*buffer, *faixa, jogador);
        return *p;
    }

    // The buffer as the stage leaves it before the players run: background and walls.
    void prepararBuffer(const std::vector<Preto>& pretos = {}) {
        clear_to_color(buffer.get(), fixture::corFundo());
        for (const Preto& r : pretos)
            rectfill(buffer.get(), r.x, r.y, r.x + r.w - 1, r.y + r.h - 1, fixture::preto());
    }

    bool quadro(Player& p, const std::vector<Preto>& pretos = {}) {
        prepararBuffer(pretos);
        return p.processar();
    }

    bool caixaMostra(int jogador, int n) {
        return fixture::regiaoIgual(faixa.get(), jogador == 1 ? 145 : 447, 5,
                                    caixaEsperada(jogador, n)->get());
    }

    bool painelMostra(int jogador, int pontos, const char* combo, const char* mult) {
        return fixture::regiaoIgual(faixa.get(), jogador == 1 ? 198 : 332, 2,
                                    fixture::painelEsperado(pontos, combo, mult)->get());
    }

    void pintarFaixa(int x, int y, int w, int h) {
        rectfill(faixa.get(), x, y, x + w - 1, y + h - 1, fixture::corMarca());
    }

    int pontosDeUmAcerto(Player& p) {
        const int antes = p.getPontos();
        p.setaAcertada();
        return p.getPontos() - antes;
    }

    apoio::PastaTemporaria pasta;
    apoio::Bitmap buffer{640, 480, fixture::corFundo()};
    apoio::Bitmap faixa{640, 29, 0};
    std::unique_ptr<Player> p1, p2;
};

// ---- what a frame paints -----------------------------------------------------

TEST_F(Jogador, NovoPintaSoABarraNasSuasPosicoes) {
    const int moldura = fixture::corMoldura(), cheio = fixture::corCheio();
    criar(1);
    EXPECT_EQ(apoio::contarCor(faixa.get(), 4, 5, 12, 20, moldura), 12 * 20);
    EXPECT_EQ(apoio::contarCor(faixa.get(), 21, 7, 100, 6, cheio), 100 * 6);
    criar(2);
    EXPECT_EQ(apoio::contarCor(faixa.get(), 503, 5, 12, 20, moldura), 12 * 20);
    EXPECT_EQ(apoio::contarCor(faixa.get(), 520, 7, 100, 6, cheio), 100 * 6);
    // Nothing else yet: panels and lives boxes come with the first frame.
    EXPECT_EQ(apoio::contarCor(faixa.get(), 0, 0, 640, 29, moldura), 2 * 12 * 20);
    EXPECT_EQ(apoio::contarCor(faixa.get(), 0, 0, 640, 29, cheio), 2 * 100 * 6);
    EXPECT_EQ(apoio::contarCor(faixa.get(), 0, 0, 640, 29, 0), 640 * 29 - 2 * (240 + 600));
    EXPECT_EQ(p1->getPorcentagem(), 100);
    EXPECT_FALSE(p1->morto());
}

TEST_F(Jogador, QuadroPintaPainelMolduraPersonagemEVidasNessaOrdem) {
    // A frame wide enough to lie under the lives box and over the panel's edge.
    fixture::gravarSangue(pasta, 200);
    Player& p = criar(1);
    EXPECT_FALSE(quadro(p));
    EXPECT_EQ(apoio::contarCor(faixa.get(), 198, 5, 6, 20, fixture::corMoldura()), 6 * 20);
    EXPECT_TRUE(fixture::regiaoIgual(faixa.get(), 198, 2,
                                     fixture::painelEsperado(0, nullptr, nullptr)->get(), 6));
    EXPECT_TRUE(caixaMostra(1, 3));
    EXPECT_EQ(fixture::procurar(buffer.get(), 1).x, 140);
    // The lives box is painted after the character ran: a hit shows at once.
    EXPECT_FALSE(quadro(p, {SOBRE_A_CABECA_1}));
    EXPECT_TRUE(caixaMostra(1, 2));
}

TEST_F(Jogador, CaixaDeVidasOpacaComIconesDeDezesseis) {
    clear_to_color(faixa.get(), fixture::corMarca());
    Player& um = criar(1);
    Player& dois = criar(2);
    EXPECT_FALSE(quadro(um));
    EXPECT_FALSE(quadro(dois));
    EXPECT_TRUE(caixaMostra(1, 3));
    EXPECT_TRUE(caixaMostra(2, 3));
    // Repainted every frame while the player is in.
    pintarFaixa(145, 5, 52, 16);
    EXPECT_FALSE(quadro(um));
    EXPECT_TRUE(caixaMostra(1, 3));
}

TEST_F(Jogador, TeclasDeCadaJogador) {
    Player& um = criar(1);
    Player& dois = criar(2);
    key[KEY_H] = 1;
    key[KEY_LEFT] = 1;
    prepararBuffer();
    um.processar();
    dois.processar();
    EXPECT_EQ(fixture::procurar(buffer.get(), 1).x, 143);
    EXPECT_EQ(fixture::procurar(buffer.get(), 2).x, 457);
    apoio::soltarTodasTeclas();
    key[KEY_RIGHT] = 1;
    key[KEY_G] = 1;
    prepararBuffer();
    um.processar();
    dois.processar();
    EXPECT_EQ(fixture::procurar(buffer.get(), 1).x, 140);
    EXPECT_EQ(fixture::procurar(buffer.get(), 2).x, 460);
}

TEST_F(Jogador, DoisPaineisSobrepostosNaOrdemDosJogadores) {
    clear_to_color(faixa.get(), fixture::corMarca());
    Player& um = criar(1);
    Player& dois = criar(2);
    um.setaAcertada();
    prepararBuffer();
    EXPECT_FALSE(um.processar());
    EXPECT_FALSE(dois.processar());
    auto painel1 = fixture::painelEsperado(100, "1", nullptr);
    auto painel2 = fixture::painelEsperado(0, nullptr, nullptr);
    // Player 2's panel covers columns 332..355 of player 1's; its lives box
    // covers columns 447..489 of its own panel.
    EXPECT_TRUE(fixture::regiaoIgual(faixa.get(), 198, 2, painel1->get(), 0, 134));
    EXPECT_TRUE(fixture::regiaoIgual(faixa.get(), 332, 2, painel2->get(), 0, 115));
    EXPECT_TRUE(caixaMostra(1, 3));
    EXPECT_TRUE(caixaMostra(2, 3));
    // Above and below the box, the rest of player 2's panel.
    const int preto = 0;
    EXPECT_EQ(apoio::contarCor(faixa.get(), 447, 2, 43, 3, preto), 43 * 3);
    EXPECT_EQ(apoio::contarCor(faixa.get(), 447, 21, 43, 5, preto), 43 * 5);
}

// ---- out of the game ---------------------------------------------------------

TEST_F(Jogador, MortoSemVidasOuSemSangue) {
    Player& semVidas = criar(1);
    EXPECT_FALSE(semVidas.morto());
    semVidas.matar();
    EXPECT_TRUE(semVidas.morto());
    EXPECT_EQ(semVidas.getPorcentagem(), 100);

    Player& semSangue = criar(2);
    for (int i = 0; i < 19; i++) semSangue.zerarHP();
    EXPECT_EQ(semSangue.getPorcentagem(), 5);
    EXPECT_FALSE(semSangue.morto());
    semSangue.zerarHP();
    EXPECT_TRUE(semSangue.morto());
}

TEST_F(Jogador, SemSangueComVidasSoPintaPainelEMoldura) {
    Player& p = criar(1);
    for (int i = 0; i < 3; i++) p.setaAcertada();
    ASSERT_FALSE(quadro(p));
    for (int i = 0; i < 20; i++) p.zerarHP();
    pintarFaixa(0, 0, 640, 29);
    EXPECT_TRUE(quadro(p));
    EXPECT_TRUE(p.morto());
    // The panel is drawn before the streak is dropped...
    EXPECT_TRUE(painelMostra(1, 300, "3", nullptr));
    EXPECT_EQ(apoio::contarCor(faixa.get(), 4, 5, 12, 20, fixture::corMoldura()), 12 * 20);
    EXPECT_EQ(apoio::contarCor(faixa.get(), 145, 5, 52, 16, fixture::corMarca()), 52 * 16);
    EXPECT_EQ(fixture::procurar(buffer.get(), 1).figura, fixture::NENHUMA);
    // ...so the next frame shows it gone.
    EXPECT_TRUE(quadro(p));
    EXPECT_TRUE(painelMostra(1, 300, nullptr, nullptr));
    EXPECT_EQ(pontosDeUmAcerto(p), 100);
}

TEST_F(Jogador, UltimaVidaPerdidaNaParedeEsvaziaACaixaNoMesmoQuadro) {
    Player& p = criar(1);
    for (int quadroN = 0; quadroN <= 200; quadroN++) {
        ASSERT_FALSE(quadro(p, {SOBRE_A_CABECA_1})) << "frame " << quadroN;
        if (quadroN == 0) EXPECT_TRUE(caixaMostra(1, 2));
        if (quadroN == 100) EXPECT_TRUE(caixaMostra(1, 1));
    }
    EXPECT_TRUE(caixaMostra(1, 0));
    EXPECT_TRUE(p.morto());
    EXPECT_TRUE(quadro(p));
}

// ---- score and health ----------------------------------------------------------

TEST_F(Jogador, AcertoEErro) {
    Player& p = criar(1);
    p.setaAcertada();
    EXPECT_EQ(p.getPontos(), 100);
    EXPECT_EQ(p.getPorcentagem(), 100);
    for (int i = 0; i < 19; i++) p.setaAcertada();
    EXPECT_EQ(p.getPontos(), 14 * 100 + 6 * 200);
    p.setaErrada();
    EXPECT_EQ(p.getPontos(), 2600);
    EXPECT_EQ(p.getPorcentagem(), 95);
    EXPECT_EQ(pontosDeUmAcerto(p), 100);
    EXPECT_EQ(p.getPorcentagem(), 96);
}

TEST_F(Jogador, ZerarHPTiraCincoAteZero) {
    Player& p = criar(1);
    for (int i = 0; i < 20; i++) p.setaErrada();
    for (int i = 0; i < 3; i++) p.setaAcertada();
    ASSERT_EQ(p.getPorcentagem(), 3);
    p.zerarHP();
    EXPECT_EQ(p.getPorcentagem(), 0);
    p.zerarHP();
    EXPECT_EQ(p.getPorcentagem(), 0);
}

// ---- end of a stage ----------------------------------------------------------

TEST_F(Jogador, BonusDeFimDeFaseComMultiplicadorUm) {
    Player& p = criar(1);
    quadro(p, {SOBRE_A_CABECA_1});  // 2 lives
    for (int i = 0; i < 8; i++) p.setaErrada();
    ASSERT_EQ(p.getPorcentagem(), 60);
    p.resetarVidas();
    EXPECT_EQ(p.getPontos(), 38000);
    EXPECT_EQ(p.getPorcentagem(), 100);
    EXPECT_FALSE(quadro(p));
    EXPECT_TRUE(caixaMostra(1, 3));
}

TEST_F(Jogador, BonusDeFimDeFaseMultiplicadoEStreakZerada) {
    Player& p = criar(1);
    quadro(p, {SOBRE_A_CABECA_1});
    for (int i = 0; i < 14; i++) p.setaErrada();
    for (int i = 0; i < 30; i++) p.setaAcertada();  // multiplier 4, back to 60 %
    ASSERT_EQ(p.getPorcentagem(), 60);
    const int antes = p.getPontos();
    EXPECT_EQ(antes, 1400 + 15 * 200 + 400);
    p.resetarVidas();
    EXPECT_EQ(p.getPontos() - antes, 152000);
    EXPECT_EQ(p.getPorcentagem(), 100);
    EXPECT_EQ(pontosDeUmAcerto(p), 100);
}

TEST_F(Jogador, FimDeFaseTrazDeVoltaQuemEstavaFora) {
    Player& p = criar(1);
    p.matar();
    for (int i = 0; i < 20; i++) p.zerarHP();
    ASSERT_TRUE(quadro(p));
    p.resetarVidas();
    EXPECT_EQ(p.getPontos(), 0);
    EXPECT_EQ(p.getPorcentagem(), 100);
    EXPECT_FALSE(p.morto());
    EXPECT_FALSE(quadro(p));
    EXPECT_TRUE(caixaMostra(1, 3));
    EXPECT_EQ(fixture::procurar(buffer.get(), 1).x, 140);
}

// ---- the game's own pictures -------------------------------------------------

std::vector<std::string> arquivosQueFaltam() {
    std::vector<const char*> usados = {imagens::CINCO_UNIDADES, imagens::UM_LIFE,
                                       imagens::CEM_LIFE, imagens::BARRA_HP,
                                       imagens::RED_MUSH, imagens::GREEN_MUSH};
    for (const auto& jogador : imagens::PERSONAGENS)
        for (const char* caminho : jogador) usados.push_back(caminho);
    std::vector<std::string> faltam;
    for (const char* caminho : usados)
        if (!std::filesystem::exists(caminho)) faltam.push_back(caminho);
    return faltam;
}

struct Imagem {
    explicit Imagem(const char* caminho) : bmp(load_bitmap(caminho, NULL)) {}
    ~Imagem() { destroy_bitmap(bmp); }
    Imagem(const Imagem&) = delete;
    Imagem& operator=(const Imagem&) = delete;
    BITMAP* bmp;
};

// Both characters walk towards each other and cross: the real pictures have no
// pure black, so neither blocks or hits the other.
TEST(JogadorComFigurasDoJogo, DoisJogadoresSeCruzamSemSeEsbarrar) {
    const std::vector<std::string> faltam = arquivosQueFaltam();
    if (!faltam.empty())
        GTEST_SKIP() << "pictures not in data/ yet, first missing: " << faltam.front();
    apoio::soltarTodasTeclas();
    apoio::Bitmap buffer(640, 480), faixa(640, 29, 0);
    Player um(*buffer, *faixa, 1);
    Player dois(*buffer, *faixa, 2);
    const int fundo = fixture::corFundo();
    key[KEY_H] = 1;
    key[KEY_LEFT] = 1;
    for (int n = 0; n < 60; n++) {
        clear_to_color(buffer.get(), fundo);
        ASSERT_FALSE(um.processar());
        ASSERT_FALSE(dois.processar());
    }
    apoio::soltarTodasTeclas();

    // After 60 frames each stands 180 pixels further on, on the standing
    // picture of its walking direction.
    Imagem esq1(imagens::PERSONAGENS[0][3]), dir1(imagens::PERSONAGENS[0][0]);
    Imagem esq2(imagens::PERSONAGENS[1][3]);
    apoio::Bitmap esperado(640, 480, fundo);
    draw_sprite(esperado.get(), dir1.bmp, 160 - esq1.bmp->w / 2 + 180, 441 - esq1.bmp->h);
    draw_sprite(esperado.get(), esq2.bmp, 480 - esq2.bmp->w / 2 - 180, 441 - esq2.bmp->h);
    EXPECT_TRUE(apoio::mesmosPixels(buffer.get(), esperado.get()));

    for (int jogador : {1, 2}) {
        Imagem icone(jogador == 1 ? imagens::RED_MUSH : imagens::GREEN_MUSH);
        apoio::Bitmap caixa(52, 16, 0);
        for (int i = 0; i < 3; i++) draw_sprite(caixa.get(), icone.bmp, i * icone.bmp->w, 0);
        EXPECT_TRUE(fixture::regiaoIgual(faixa.get(), jogador == 1 ? 145 : 447, 5, caixa.get()))
            << "lives box of player " << jogador;
    }
    EXPECT_FALSE(um.morto());
    EXPECT_FALSE(dois.morto());
}

}  // namespace
