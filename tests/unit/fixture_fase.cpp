#include "fixture_fase.h"

#include <filesystem>
#include <string>

#include "define.h"
#include "imagens.h"

namespace fs = std::filesystem;

namespace palco {

namespace {

// The mask colour: drawn pixels of it are skipped.
int magenta() { return makecol(255, 0, 255); }

// Lane columns of player 1 for up, down, left, right; player 2's lane is 499 to the right.
const int COLUNA_SETA[4] = {71, 40, 9, 102};
const int DESLOCAMENTO_RAIA_2 = 499;
const int TECLA_SETA[2][4] = {{KEY_W, KEY_S, KEY_A, KEY_D},
                              {KEY_5_PAD, KEY_2_PAD, KEY_1_PAD, KEY_3_PAD}};

int colunaDaSeta(int direcao, int jogador) {
    return COLUNA_SETA[direcao] + (jogador == 1 ? 0 : DESLOCAMENTO_RAIA_2);
}

bool ehCorDeSeta(int cor) {
    for (int c = 0; c < 8; c++)
        if (corSeta(c) == cor) return true;
    return false;
}

// Saves `figura` at `relativo` inside the folder, creating its directories.
void gravar(apoio::PastaTemporaria& pasta, const std::string& relativo, BITMAP* figura) {
    const fs::path destino = fs::path(pasta.caminho()) / relativo;
    fs::create_directories(destino.parent_path());
    save_bmp(destino.string().c_str(), figura, NULL);
}

void gravarCenario(apoio::PastaTemporaria& pasta, const Opcoes& o) {
    for (int fase = 1; fase <= 2; fase++) {
        BITMAP* fundo = create_bitmap(640, 480);
        clear_to_color(fundo, corFundo(fase));
        rect(fundo, 0, 0, 639, 479, corMolduraFundo());
        gravar(pasta, fase == 1 ? imagens::FASE1 : imagens::FASE2, fundo);
        destroy_bitmap(fundo);

        BITMAP* movel = create_bitmap(LARGURA_CAMPO, ALTURA_MOVEL);
        clear_to_color(movel, corMovel(fase));
        hline(movel, 0, LINHA_MARCA, LARGURA_CAMPO - 1, corMarca());
        gravar(pasta, fase == 1 ? imagens::FASE1_MOVEL : imagens::FASE2_MOVEL, movel);
        destroy_bitmap(movel);
    }
    pasta.gravarImagem(imagens::CHAO, LARGURA_CAMPO, o.alturaChao,
                       o.chaoPreto ? preto() : corChao());
}

// A wall row of `altura` rows: black over the columns [de, ate), magenta elsewhere.
void gravarFileira(apoio::PastaTemporaria& pasta, const char* caminho, int altura, int de,
                   int ate) {
    BITMAP* fileira = create_bitmap(LARGURA_CAMPO, altura);
    clear_to_color(fileira, magenta());
    if (ate > de) rectfill(fileira, de, 0, ate - 1, altura - 1, preto());
    gravar(pasta, caminho, fileira);
    destroy_bitmap(fileira);
}

void gravarMuros(apoio::PastaTemporaria& pasta, Muros muros) {
    // Solid rows as tall as the stage's spacing leave no gap between them.
    const int espacamento[2] = {95, 115};
    const int metade = LARGURA_CAMPO / 2;  // 179: picture columns 0-178 are x 141-319
    for (int fase = 1; fase <= 2; fase++) {
        const int total = fase == 1 ? imagens::FILEIRAS_FASE1_TOTAL : imagens::FILEIRAS_FASE2_TOTAL;
        const char* const* caminhos = fase == 1 ? imagens::FILEIRAS_FASE1 : imagens::FILEIRAS_FASE2;
        for (int k = 0; k < total; k++) {
            int altura = espacamento[fase - 1], de = 0, ate = 0;
            switch (muros) {
                case Muros::vazios: break;
                case Muros::linhaUnica:
                    if (k == 0) altura = 1, ate = LARGURA_CAMPO;
                    break;
                case Muros::cortinaEsquerda: ate = metade; break;
                case Muros::cortinaDireita: de = metade, ate = LARGURA_CAMPO; break;
                case Muros::cortinaInteira: ate = LARGURA_CAMPO; break;
            }
            gravarFileira(pasta, caminhos[k], altura, de, ate);
        }
    }
}

void gravarPersonagens(apoio::PastaTemporaria& pasta, bool pretos) {
    for (int j = 0; j < 2; j++)
        for (int f = 0; f < 6; f++) {
            BITMAP* figura = create_bitmap(LARGURA_FIGURA, ALTURA_FIGURA);
            clear_to_color(figura, pretos ? preto() : corFigura(j + 1));
            hline(figura, 0, 0, LARGURA_FIGURA - 1, corFigura(j + 1));
            gravar(pasta, imagens::PERSONAGENS[j][f], figura);
            destroy_bitmap(figura);
        }
}

void gravarSetas(apoio::PastaTemporaria& pasta) {
    for (int c = 0; c < 8; c++)
        pasta.gravarImagem(imagens::SETAS[c], LARGURA_SETA,
                           c < 4 ? ALTURA_SETA_FASE1 : ALTURA_SETA_FASE2, corSeta(c));
    // Small, so that it hides little of an arrow inside its target.
    pasta.gravarImagem(imagens::EXCLAMACAO, 8, 8, corExclamacao());
}

void gravarPlacar(apoio::PastaTemporaria& pasta) {
    pasta.gravarImagem(imagens::UM_LIFE, 1, 14, makecol(200, 0, 0));
    pasta.gravarImagem(imagens::CINCO_UNIDADES, 5, 14, makecol(20, 20, 20));
    pasta.gravarImagem(imagens::CEM_LIFE, 100, 14, makecol(200, 0, 0));
    pasta.gravarImagem(imagens::BARRA_HP, 118, 18, magenta());
    pasta.gravarImagem(imagens::RED_MUSH, 16, 16, corIcone(1));
    pasta.gravarImagem(imagens::GREEN_MUSH, 16, 16, corIcone(2));
}

}  // namespace

int preto() { return makecol(0, 0, 0); }
int corLimpa() { return makecol(77, 77, 77); }
int corFundo(int fase) { return fase == 1 ? makecol(60, 90, 120) : makecol(120, 60, 90); }
int corMolduraFundo() { return makecol(200, 200, 60); }
int corMovel(int fase) { return fase == 1 ? makecol(40, 140, 70) : makecol(140, 40, 70); }
int corMarca() { return makecol(250, 250, 250); }
int corChao() { return makecol(150, 100, 50); }
int corFigura(int jogador) { return jogador == 1 ? makecol(220, 120, 40) : makecol(40, 120, 220); }
int corIcone(int jogador) { return jogador == 1 ? makecol(230, 30, 90) : makecol(30, 230, 90); }
int corSeta(int codigo) {
    static const int rgb[8][3] = {{230, 30, 30},  {30, 230, 30},  {30, 30, 230},  {230, 230, 30},
                                  {30, 230, 230}, {230, 120, 30}, {120, 30, 230}, {120, 230, 120}};
    return makecol(rgb[codigo][0], rgb[codigo][1], rgb[codigo][2]);
}
int corExclamacao() { return makecol(255, 255, 0); }

void gravarFiguras(apoio::PastaTemporaria& pasta, const Opcoes& opcoes) {
    gravarCenario(pasta, opcoes);
    gravarMuros(pasta, opcoes.muros);
    gravarPersonagens(pasta, opcoes.personagensPretos);
    gravarSetas(pasta);
    gravarPlacar(pasta);
}

Palco::Palco(const Opcoes& o) : buffer(MAX_X, 480, 0), cobertura(MAX_X, 29, 0) {
    apoio::soltarTodasTeclas();
    gravarFiguras(pasta, o);
    p1 = std::make_unique<Player>(*buffer, *cobertura, 1);
    if (o.jogadores == 2 || o.segundoSeparado)
        p2 = std::make_unique<Player>(*buffer, *cobertura, 2);
    // A one-player game hands player 1 in both places, as the game does.
    Player& segundo = p2 ? *p2 : *p1;
    estagio = std::make_unique<Fase>(*buffer, *cobertura, o.jogadores, o.fase, *p1, segundo);
}

Palco::~Palco() { apoio::soltarTodasTeclas(); }

void Palco::passo(bool flag) {
    clear_to_color(buffer.get(), corLimpa());
    estagio->processar(flag);
}

void Palco::passos(int n) {
    for (int i = 0; i < n; i++) passo();
}

void Palco::acelerar(int velocidade) {
    clear_to_color(buffer.get(), corLimpa());
    estagio->acelerarCenario(velocidade);
}

void Palco::responderSetas(int jogador) {
    for (int tecla : TECLA_SETA[jogador - 1]) key[tecla] = 0;
    const SetaVista s = setaMaisProxima(jogador);
    const int proximaLinha = s.y - 2;  // arrows rise two rows per step
    if (s.direcao >= 0 && JANELA_TOPO <= proximaLinha && proximaLinha <= JANELA_FUNDO)
        key[TECLA_SETA[jogador - 1][s.direcao]] = 1;
}

int Palco::linhaDaMarca() const { return linhaDaCor(corMarca(), COLUNA_MARCA); }

int Palco::colunaDaCor(int cor, int linha) const {
    for (int x = 0; x < buffer->w; x++)
        if (getpixel(buffer.get(), x, linha) == cor) return x;
    return -1;
}

int Palco::linhaDaCor(int cor, int coluna) const {
    for (int y = 0; y < buffer->h; y++)
        if (getpixel(buffer.get(), coluna, y) == cor) return y;
    return -1;
}

bool Palco::raiaDesenhada(int jogador) const { return setaMaisProxima(jogador).direcao >= 0; }

SetaVista Palco::setaMaisProxima(int jogador) const {
    SetaVista perto{-1, buffer->h};
    for (int d = 0; d < 4; d++) {
        const int x = colunaDaSeta(d, jogador) + LARGURA_SETA / 2;
        for (int y = 0; y < perto.y; y++)
            if (ehCorDeSeta(getpixel(buffer.get(), x, y))) {
                perto = {d, y};
                break;
            }
    }
    return perto;
}

int Palco::iconesDeVida(int jogador) const {
    const int x = jogador == 1 ? VIDA1_X : VIDA2_X;
    const int y = jogador == 1 ? VIDA1_Y : VIDA2_Y;
    return apoio::contarCor(cobertura.get(), x, y, 52, 16, corIcone(jogador)) / (16 * 16);
}

}  // namespace palco
