// The falling wall rows and the manager that recycles them. The manager's
// rows are private, so every position and picture is read back from where
// the pixels land in a buffer: fixture pictures of one flat colour each.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "GerenciadorMuro.h"
#include "Muro.h"
#include "apoio.h"
#include "imagens.h"

namespace {

const int FUNDO = makecol(1, 2, 3);
const int X_CAMPO = 141;
const int LARGURA_FILEIRA = 359;
const int COLUNA_AMOSTRA = X_CAMPO + 100;

// ---------------------------------------------------------------- Muro

std::vector<int> alturasAoDescer(Muro& muro, int passos, int fase = 1) {
    std::vector<int> ys;
    for (int i = 0; i < passos; i++) {
        muro.descer(fase);
        ys.push_back(muro.getY());
    }
    return ys;
}

TEST(Muro, SemDelayDesceAVelocidadeACadaPasso) {
    apoio::Bitmap figura(LARGURA_FILEIRA, 20);
    Muro muro(*figura, X_CAMPO, 0, 2, 0);
    EXPECT_EQ(alturasAoDescer(muro, 3), (std::vector<int>{2, 4, 6}));

    muro.setVelocidade(1);
    muro.setY(-95);
    EXPECT_EQ(alturasAoDescer(muro, 2), (std::vector<int>{-94, -93}));
}

TEST(Muro, ComDelayDesceUmPixelACadaDelayMaisUmPassos) {
    apoio::Bitmap figura(LARGURA_FILEIRA, 20);
    Muro delay1(*figura, X_CAMPO, 0, 0, 1);
    EXPECT_EQ(alturasAoDescer(delay1, 8), (std::vector<int>{0, 1, 1, 2, 2, 3, 3, 4}));

    Muro delay2(*figura, X_CAMPO, 10, 0, 2);
    EXPECT_EQ(alturasAoDescer(delay2, 9),
              (std::vector<int>{10, 10, 11, 11, 11, 12, 12, 12, 13}));

    // The counter picks up from wherever `velocidade` was left.
    Muro adiantado(*figura, X_CAMPO, 0, 1, 1);
    EXPECT_EQ(alturasAoDescer(adiantado, 4), (std::vector<int>{1, 1, 2, 2}));
}

TEST(Muro, ONumeroDaFaseNaoMudaOPasso) {
    apoio::Bitmap figura(LARGURA_FILEIRA, 20);
    for (int delay : {0, 1, 2}) {
        Muro fase1(*figura, X_CAMPO, -7, delay == 0 ? 2 : 0, delay);
        Muro fase2(*figura, X_CAMPO, -7, delay == 0 ? 2 : 0, delay);
        EXPECT_EQ(alturasAoDescer(fase1, 12, 1), alturasAoDescer(fase2, 12, 2))
            << "delay " << delay;
    }
}

// A row picture with a transparent notch: columns 100-149 of rows 5-9.
BITMAP* figuraComEntalhe(int cor, int altura) {
    BITMAP* b = create_bitmap(LARGURA_FILEIRA, altura);
    clear_to_color(b, cor);
    rectfill(b, 100, 5, 149, 9, makecol(255, 0, 255));
    return b;
}

TEST(Muro, DesenhaSoOQueCabeNoBufferEPulaOMagenta) {
    const int cor = makecol(200, 30, 30);
    BITMAP* figura = figuraComEntalhe(cor, 20);
    apoio::Bitmap buffer(640, 480, FUNDO);

    Muro muro(*figura, X_CAMPO, -10, 1, 0);
    muro.desenhar(*buffer);
    // Picture rows 10-19 land on buffer rows 0-9; the notch was above.
    EXPECT_EQ(apoio::contarCor(buffer.get(), X_CAMPO, 0, LARGURA_FILEIRA, 10, cor),
              LARGURA_FILEIRA * 10);
    EXPECT_EQ(apoio::contarCor(buffer.get(), 0, 10, 640, 470, FUNDO), 640 * 470);
    EXPECT_EQ(apoio::contarCor(buffer.get(), 0, 0, X_CAMPO, 10, FUNDO), X_CAMPO * 10);

    clear_to_color(buffer.get(), FUNDO);
    muro.setY(100);
    muro.desenhar(*buffer);
    EXPECT_EQ(apoio::contarCor(buffer.get(), X_CAMPO + 100, 105, 50, 5, FUNDO), 50 * 5);
    EXPECT_EQ(apoio::contarCor(buffer.get(), X_CAMPO, 100, LARGURA_FILEIRA, 20, cor),
              LARGURA_FILEIRA * 20 - 50 * 5);

    clear_to_color(buffer.get(), FUNDO);
    muro.setY(470);
    muro.desenhar(*buffer);
    EXPECT_EQ(apoio::contarCor(buffer.get(), X_CAMPO, 470, LARGURA_FILEIRA, 10, cor),
              LARGURA_FILEIRA * 10 - 50 * 5);

    for (int foraDoBuffer : {-20, -400, 480, 900}) {
        clear_to_color(buffer.get(), FUNDO);
        muro.setY(foraDoBuffer);
        muro.desenhar(*buffer);
        EXPECT_EQ(apoio::contarCor(buffer.get(), 0, 0, 640, 480, FUNDO), 640 * 480)
            << "y " << foraDoBuffer;
    }
    destroy_bitmap(figura);
}

TEST(Muro, TrocarAFiguraNaoMexeNaAntiga) {
    const int corVelha = makecol(10, 200, 10), corNova = makecol(10, 10, 200);
    BITMAP* velha = figuraComEntalhe(corVelha, 20);
    apoio::Bitmap copiaDaVelha(LARGURA_FILEIRA, 20);
    blit(velha, copiaDaVelha.get(), 0, 0, 0, 0, LARGURA_FILEIRA, 20);
    apoio::Bitmap nova(300, 16, corNova);

    Muro muro(*velha, X_CAMPO, 50, 1, 0);
    EXPECT_EQ(muro.getLargura(), LARGURA_FILEIRA);
    EXPECT_EQ(muro.getAltura(), 20);
    muro.setBitmap(*nova);
    EXPECT_EQ(muro.getLargura(), 300);
    EXPECT_EQ(muro.getAltura(), 16);
    EXPECT_TRUE(apoio::mesmosPixels(velha, copiaDaVelha.get()));

    muro.setX(200);
    EXPECT_EQ(muro.getX(), 200);
    apoio::Bitmap buffer(640, 480, FUNDO);
    muro.desenhar(*buffer);
    EXPECT_EQ(apoio::contarCor(buffer.get(), 200, 50, 300, 16, corNova), 300 * 16);
    EXPECT_EQ(apoio::contarCor(buffer.get(), 0, 0, 640, 480, corVelha), 0);

    destroy_bitmap(velha);
}

// ------------------------------------------------------ GerenciadorMuro

// Fixture picture k (1-based) of a stage is one flat colour of its own.
int corDaFigura(int fase, int k) { return makecol(fase * 100, 10 * k, 250 - 10 * k); }

void gravarFiguras(apoio::PastaTemporaria& pasta, int fase, int altura) {
    int total = fase == 1 ? imagens::FILEIRAS_FASE1_TOTAL : imagens::FILEIRAS_FASE2_TOTAL;
    const char* const* caminhos = fase == 1 ? imagens::FILEIRAS_FASE1 : imagens::FILEIRAS_FASE2;
    for (int k = 1; k <= total; k++)
        pasta.gravarImagem(caminhos[k - 1], LARGURA_FILEIRA, altura, corDaFigura(fase, k));
}

// A row seen in the buffer: which fixture picture and where its top is.
struct Visivel {
    int figura;
    int topo;
    bool operator==(const Visivel& o) const { return figura == o.figura && topo == o.topo; }
};

std::ostream& operator<<(std::ostream& os, const Visivel& v) {
    return os << "{figura " << v.figura << ", topo " << v.topo << "}";
}

// Reads the rows drawn down one column, top to bottom. A row's top may be
// cut by the buffer's edge or covered by a later row, so its top is worked
// out from its last row and the picture height, unless that last row is cut
// by the bottom of the buffer.
std::vector<Visivel> fileirasVisiveis(BITMAP* buffer, int fase, int altura) {
    std::map<int, int> figuraPorCor;
    for (int k = 1; k <= 20; k++) figuraPorCor[corDaFigura(fase, k)] = k;
    std::vector<Visivel> vistas;
    int y = 0;
    while (y < buffer->h) {
        int cor = getpixel(buffer, COLUNA_AMOSTRA, y);
        int fim = y;
        while (fim + 1 < buffer->h && getpixel(buffer, COLUNA_AMOSTRA, fim + 1) == cor) fim++;
        if (cor != FUNDO) {
            int figura = figuraPorCor.count(cor) ? figuraPorCor[cor] : -1;
            vistas.push_back({figura, fim < buffer->h - 1 ? fim - altura + 1 : y});
        }
        y = fim + 1;
    }
    return vistas;
}

// Runs the manager call after call, clearing the buffer before each.
class Rodada {
public:
    Rodada(int fase, int altura) : fase(fase), altura(altura), gerente(fase), buffer(640, 480) {}
    std::vector<Visivel> chamar() {
        clear_to_color(buffer.get(), FUNDO);
        gerente.start(*buffer);
        chamadas++;
        return fileirasVisiveis(buffer.get(), fase, altura);
    }
    int chamadas = 0;
    BITMAP* desenho() { return buffer.get(); }

private:
    int fase, altura;
    GerenciadorMuro gerente;
    apoio::Bitmap buffer;
};

// A recycled row shows up whole at y 1 with a picture that was not on
// screen in the previous call; rows sliding in from above never do.
struct Reciclagem {
    int chamada;
    int figura;
    bool operator==(const Reciclagem& o) const {
        return chamada == o.chamada && figura == o.figura;
    }
};

std::ostream& operator<<(std::ostream& os, const Reciclagem& r) {
    return os << "{chamada " << r.chamada << ", figura " << r.figura << "}";
}

std::vector<Reciclagem> reciclagens(int fase, int chamadas) {
    Rodada rodada(fase, 20);
    std::vector<Reciclagem> eventos;
    std::set<int> antes;
    for (int c = 1; c <= chamadas; c++) {
        std::set<int> agora;
        for (const Visivel& v : rodada.chamar()) {
            agora.insert(v.figura);
            if (c > 1 && v.topo == 1 && !antes.count(v.figura)) eventos.push_back({c, v.figura});
        }
        antes = agora;
    }
    return eventos;
}

class GerenciadorMuroFixo : public ::testing::Test {
protected:
    apoio::PastaTemporaria pasta;
};

TEST_F(GerenciadorMuroFixo, Fase1ComecaEmpilhadaAcimaDaTelaEDesenhaEmOrdemDeFileira) {
    // 400-high pictures overlap, so every row's bottom edge shows.
    gravarFiguras(pasta, 1, 400);
    Rodada rodada(1, 400);
    std::vector<Visivel> vistas = rodada.chamar();
    // Rows at 1, -94, -189, -284, -379: the later row covers the earlier one.
    EXPECT_EQ(vistas, (std::vector<Visivel>{{5, -379}, {4, -284}, {3, -189}, {2, -94}, {1, 1}}));
    EXPECT_EQ(getpixel(rodada.desenho(), COLUNA_AMOSTRA, 20), corDaFigura(1, 5));
    EXPECT_EQ(getpixel(rodada.desenho(), COLUNA_AMOSTRA, 21), corDaFigura(1, 4));
    EXPECT_EQ(getpixel(rodada.desenho(), COLUNA_AMOSTRA, 400), corDaFigura(1, 1));
    EXPECT_EQ(getpixel(rodada.desenho(), COLUNA_AMOSTRA, 401), FUNDO);
    // Every row spans the playfield from column 141.
    EXPECT_EQ(getpixel(rodada.desenho(), X_CAMPO - 1, 350), FUNDO);
    EXPECT_EQ(getpixel(rodada.desenho(), X_CAMPO, 350), corDaFigura(1, 1));
    EXPECT_EQ(getpixel(rodada.desenho(), X_CAMPO + LARGURA_FILEIRA - 1, 350), corDaFigura(1, 1));
    EXPECT_EQ(getpixel(rodada.desenho(), X_CAMPO + LARGURA_FILEIRA, 350), FUNDO);
}

TEST_F(GerenciadorMuroFixo, Fase2ComecaComQuatroFileiras115Acima) {
    gravarFiguras(pasta, 2, 400);
    Rodada rodada(2, 400);
    EXPECT_EQ(rodada.chamar(), (std::vector<Visivel>{{4, -343}, {3, -228}, {2, -113}, {1, 2}}));
}

TEST_F(GerenciadorMuroFixo, Fase1RecicladaNoFundoComAProximaFiguraDoCiclo) {
    gravarFiguras(pasta, 1, 20);
    Rodada rodada(1, 20);
    std::vector<Visivel> vistas;
    for (int c = 1; c <= 479; c++) vistas = rodada.chamar();
    // A row at 479 still moves: row 0 shows one line at the bottom, then none.
    EXPECT_EQ(vistas.back(), (Visivel{1, 479}));
    EXPECT_EQ(rodada.chamar(), (std::vector<Visivel>{{5, 100}, {4, 195}, {3, 290}, {2, 385}}));
    // Call 481: row 0 is back at the top with picture 6; the others fall on.
    EXPECT_EQ(rodada.chamar(),
              (std::vector<Visivel>{{6, 1}, {5, 101}, {4, 196}, {3, 291}, {2, 386}}));
    EXPECT_EQ(rodada.chamar().front(), (Visivel{6, 2}));

    std::vector<Reciclagem> eventos = reciclagens(1, 2020);
    ASSERT_GE(eventos.size(), 17u);
    EXPECT_EQ(std::vector<Reciclagem>(eventos.begin(), eventos.begin() + 6),
              (std::vector<Reciclagem>{
                  {481, 6}, {576, 7}, {671, 8}, {766, 9}, {861, 10}, {961, 11}}));
    EXPECT_EQ(eventos[14], (Reciclagem{1821, 20}));
    EXPECT_EQ(eventos[15], (Reciclagem{1921, 1}));
    EXPECT_EQ(eventos[16], (Reciclagem{2016, 2}));
}

TEST_F(GerenciadorMuroFixo, Fase2RecicladaComAProximaFiguraDoCiclo) {
    gravarFiguras(pasta, 2, 20);
    std::vector<Reciclagem> eventos = reciclagens(2, 1000);
    ASSERT_GE(eventos.size(), 12u);
    EXPECT_EQ(std::vector<Reciclagem>(eventos.begin(), eventos.begin() + 5),
              (std::vector<Reciclagem>{{241, 5}, {299, 6}, {356, 7}, {414, 8}, {482, 9}}));
    EXPECT_EQ(eventos[10], (Reciclagem{838, 15}));
    EXPECT_EQ(eventos[11], (Reciclagem{896, 1}));
}

TEST_F(GerenciadorMuroFixo, CicloCompletoSemFiguraRepetidaNaTela) {
    for (int fase : {1, 2}) {
        gravarFiguras(pasta, fase, 20);
        int total = fase == 1 ? 20 : 15;
        // Long enough for the cycle to wrap and run on: 25 recycles or more.
        int chamadas = fase == 1 ? 2900 : 1800;
        std::vector<Reciclagem> eventos = reciclagens(fase, chamadas);
        ASSERT_GT(eventos.size(), std::size_t(total + 5));
        for (std::size_t n = 0; n < eventos.size(); n++)
            EXPECT_EQ(eventos[n].figura, int((n + (fase == 1 ? 5 : 4)) % total) + 1)
                << "fase " << fase << " reciclagem " << n + 1;

        Rodada rodada(fase, 20);
        for (int c = 1; c <= chamadas; c++) {
            std::set<int> figuras;
            for (const Visivel& v : rodada.chamar()) {
                EXPECT_TRUE(figuras.insert(v.figura).second)
                    << "fase " << fase << " chamada " << c << " figura " << v.figura;
            }
            if (HasFailure()) return;
        }
    }
}

TEST_F(GerenciadorMuroFixo, Fase2PassaAAlturasImparesDepoisDaPrimeiraVolta) {
    gravarFiguras(pasta, 2, 20);
    Rodada rodada(2, 20);
    for (int c = 1; c <= 1500; c++) {
        for (const Visivel& v : rodada.chamar()) {
            if (v.topo < 0) continue;
            // First pass (until row 3 is recycled at call 414): rows 0 and 2
            // (pictures 1 and 3) fall through even heights, rows 1 and 3 odd
            // ones; every recycled row restarts at 1 and stays odd.
            bool impar = c > 414 || v.figura > 4 || v.figura % 2 == 0;
            EXPECT_EQ(v.topo % 2 != 0, impar) << "chamada " << c << " " << v;
        }
        if (HasFailure()) return;
    }
}

TEST_F(GerenciadorMuroFixo, OutraFaseNaoCarregaNemDesenhaNada) {
    gravarFiguras(pasta, 1, 20);
    gravarFiguras(pasta, 2, 20);
    for (int fase : {0, 3, -1}) {
        GerenciadorMuro gerente(fase);
        apoio::Bitmap buffer(640, 480, FUNDO);
        for (int c = 0; c < 600; c++) gerente.start(*buffer);
        EXPECT_EQ(apoio::contarCor(buffer.get(), 0, 0, 640, 480, FUNDO), 640 * 480)
            << "fase " << fase;
    }
}

// The real pictures, loaded by their game paths (working directory data/).
TEST(GerenciadorMuro, CarregaAsFigurasDoJogo) {
    const int ceu = makecol(90, 120, 200);
    for (int fase : {1, 2}) {
        GerenciadorMuro gerente(fase);
        apoio::Bitmap buffer(640, 480, ceu);
        for (int c = 0; c < 150; c++) {
            clear_to_color(buffer.get(), ceu);
            gerente.start(*buffer);
        }
        // After 150 calls: rows at 150 - 95 i (stage 1) or 300 - 115 i (stage 2).
        apoio::Bitmap esperado(640, 480, ceu);
        const char* const* caminhos = fase == 1 ? imagens::FILEIRAS_FASE1 : imagens::FILEIRAS_FASE2;
        int linhas = fase == 1 ? 5 : 4, distancia = fase == 1 ? 95 : 115;
        for (int i = 0; i < linhas; i++) {
            BITMAP* figura = load_bitmap(caminhos[i], NULL);
            ASSERT_NE(figura, nullptr) << caminhos[i];
            draw_sprite(esperado.get(), figura, X_CAMPO, 150 * fase - distancia * i);
            destroy_bitmap(figura);
        }
        EXPECT_TRUE(apoio::mesmosPixels(buffer.get(), esperado.get())) << "fase " << fase;
    }
}

}  // namespace
