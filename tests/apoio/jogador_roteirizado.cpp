#include "jogador_roteirizado.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <sstream>

#include "apoio.h"
#include "define.h"
#include "imagens.h"
#include "leitor_tela.h"
#include "medidas.h"

namespace roteiro {

namespace {

using namespace leitura;
using medidas::ALTURA_COBERTURA;
using medidas::LINHA_ALVOS;

// ---------------------------------------------------------------------------
// What a player learns by playing: the screen's layout, the keys, the speeds.

constexpr int PASSO = medidas::VELOCIDADE_PERSONAGEM;  // pixels walked per frame
const int CENTRO_INICIAL[2] = {medidas::CENTRO_P1, medidas::CENTRO_P2};
constexpr int SUBIDA_SETA = medidas::VELOCIDADE_SETA;  // rows an arrow rises per frame

const int TECLA_SETA[2][4] = {{KEY_W, KEY_S, KEY_A, KEY_D},
                              {KEY_5_PAD, KEY_2_PAD, KEY_1_PAD, KEY_3_PAD}};
const int TECLA_ANDAR[2][2] = {{KEY_G, KEY_H}, {KEY_LEFT, KEY_RIGHT}};
// The same arrow is in the window for 17 frames; arrows of one column come
// at least 43 frames apart.
constexpr int QUADROS_ENTRE_TOQUES = 20;

const int VIDAS_X[2] = {VIDA1_X, VIDA2_X};
const int VIDAS_Y[2] = {VIDA1_Y, VIDA2_Y};

// Rows of black a wall row shows at most, until a whole one has been seen.
constexpr int ALTURA_PRETA_PRESUMIDA = 24;
// Pictures in a stage's cycle of wall rows (only to name them in the diary).
constexpr int IMAGENS_DO_CICLO[2] = {imagens::FILEIRAS_FASE1_TOTAL, imagens::FILEIRAS_FASE2_TOTAL};

constexpr int REPLANEJAR_A_CADA = 16;  // frames a plan is followed at the most

int velocidadeDosMuros(int fase) {
    return fase == 1 ? medidas::VELOCIDADE_MUROS_FASE1 : medidas::VELOCIDADE_MUROS_FASE2;
}

int divisaoParaCima(int a, int b) { return a >= 0 ? (a + b - 1) / b : -((-a) / b); }
int divisaoParaBaixo(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

// ---------------------------------------------------------------------------
// The character's body, as the walls test it (Personagem's collisions): the
// rows just above the head, at two columns in from its sides; and the two
// columns nearest its side on the way it walks.

struct Corpo {
    int largura = 32, altura = 44;
    int topo() const { return medidas::LINHA_CHAO - altura; }  // head row
    int cabecaDe() const { return topo() - medidas::LINHAS_SOBRE_A_CABECA; }
    int cabecaAte() const { return topo() - 1; }
    int pes() const { return medidas::LINHA_CHAO - 1; }
    int colunaCabecaEsq(int x) const { return x + medidas::RECUO_DA_CABECA; }
    int colunaCabecaDir(int x) const { return x + largura - medidas::RECUO_DA_CABECA; }
};

// ---------------------------------------------------------------------------
// Walking plan: the positions frame by frame over the next frames, chosen
// by a search over every reachable position against the walls as they will
// be (they fall at a known speed). A frame with a wall on the head costs
// more than anything else; then a frame not yet standing where the next row
// to come cannot touch the head; then standing away from its own side of the
// field; then a key press. The steps of the frames it has pressed its keys
// for without seeing them yet are given: the search follows them, blocked
// where the game blocks them.

struct Plano {
    int quadroBase = -1;      // the picture it was made from
    std::vector<int> x;       // x[t]: position tested in frame quadroBase + 1 + t
    std::vector<int> passo;   // passo[t]: -1 left, 0 none, +1 right in that frame
    bool semSaida = false;    // no way found without a wall on the head
    int tAtingido = -1;       // first frame of the plan with a wall on the head
};

// A wall on the head outweighs all the rest of a plan (at most 374 frames)
// put together, and a frame out of shelter outweighs all the costs below it.
constexpr int64_t CUSTO_CABECA = 10000000000000;
constexpr int64_t CUSTO_FORA_DO_ABRIGO = 100000;
constexpr int64_t CUSTO_LONGE_DE_CASA = 1;  // per step away from its own side, per frame
constexpr int64_t CUSTO_TECLA = 1;
// Not yet sheltered from the next row: dearer the nearer it is, so that of
// two ways through the one that settles earlier before an arrival wins.
constexpr int PERTO = 32;

int64_t custoForaDoAbrigo(int faltam) {
    const int64_t perto = std::max(1, PERTO - faltam);
    return CUSTO_FORA_DO_ABRIGO * perto * perto;
}

struct Chegada {
    int t;                    // first frame (of the plan) with its black on the head rows
    std::vector<uint8_t> abrigo;  // per position index: its black never meets the head columns
};

Plano planejar(const std::vector<Fileira>& fileiras, int velocidade, int x0, const Corpo& corpo,
               int casa, int horizonte, const std::vector<int8_t>& dados) {
    const int xMin = MENOR_X + ((x0 - MENOR_X) % PASSO + PASSO) % PASSO;
    const int n = (maiorX(corpo.largura) - xMin) / PASSO + 1;
    auto xDe = [&](int i) { return xMin + PASSO * i; };

    std::vector<Chegada> chegadas;
    for (const Fileira& f : fileiras) {
        const int t = divisaoParaCima(corpo.cabecaDe() - f.ateMax, velocidade) - 1;
        if (t < 1 || t >= horizonte) continue;
        Chegada c{t, std::vector<uint8_t>(n)};
        for (int i = 0; i < n; i++)
            c.abrigo[i] = !f.preta(corpo.colunaCabecaEsq(xDe(i))) &&
                          !f.preta(corpo.colunaCabecaDir(xDe(i)));
        chegadas.push_back(std::move(c));
    }
    std::sort(chegadas.begin(), chegadas.end(),
              [](const Chegada& a, const Chegada& b) { return a.t < b.t; });

    std::vector<int64_t> custo((horizonte + 1) * n, 0);
    std::vector<int16_t> destino(horizonte * n);
    std::vector<int8_t> escolha(horizonte * n);
    std::vector<uint8_t> atingido(horizonte * n);
    std::array<uint8_t, 640> cabeca, corpoPreto;
    for (int t = horizonte - 1; t >= 0; t--) {
        const int desloc = velocidade * (t + 1);
        colunasPretas(fileiras, desloc, corpo.cabecaDe(), corpo.cabecaAte(), cabeca);
        colunasPretas(fileiras, desloc, corpo.topo(), corpo.pes(), corpoPreto);
        const Chegada* proxima = nullptr;
        for (const Chegada& c : chegadas)
            if (c.t > t) {
                proxima = &c;
                break;
            }
        const int64_t* depois = &custo[(t + 1) * n];
        for (int i = 0; i < n; i++) {
            const int x = xDe(i);
            const bool naCabeca =
                cabeca[corpo.colunaCabecaEsq(x)] || cabeca[corpo.colunaCabecaDir(x)];
            int64_t proprio = naCabeca ? CUSTO_CABECA * (horizonte - t + 1) : 0;
            if (proxima && !proxima->abrigo[i]) proprio += custoForaDoAbrigo(proxima->t - t);
            proprio += CUSTO_LONGE_DE_CASA * (std::abs(x - casa) / PASSO);

            const bool podeEsq = !corpoPreto[x - 1] && !corpoPreto[x] && x > medidas::LIMITE_ESQUERDO;
            const bool podeDir = !corpoPreto[x + corpo.largura] &&
                                 !corpoPreto[x + corpo.largura + 1] &&
                                 x + corpo.largura <= medidas::LIMITE_DIREITO;
            const int opcoes[3] = {0, -1, +1};
            const int destinos[3] = {i, podeEsq ? i - 1 : i, podeDir ? i + 1 : i};
            const bool dado = t < static_cast<int>(dados.size());
            int melhor = !dado ? 0 : dados[t] < 0 ? 1 : dados[t] > 0 ? 2 : 0;  // in opcoes
            int64_t melhorCusto = depois[destinos[melhor]] + (melhor ? CUSTO_TECLA : 0);
            for (int k = 1; k < 3 && !dado; k++) {
                const int64_t c = depois[destinos[k]] + CUSTO_TECLA;
                if (c < melhorCusto) {
                    melhorCusto = c;
                    melhor = k;
                }
            }
            custo[t * n + i] = proprio + melhorCusto;
            escolha[t * n + i] = static_cast<int8_t>(opcoes[melhor]);
            destino[t * n + i] = static_cast<int16_t>(destinos[melhor]);
            atingido[t * n + i] = naCabeca;
        }
    }

    Plano plano;
    int i = (x0 - xMin) / PASSO;
    i = std::clamp(i, 0, n - 1);
    plano.semSaida = custo[i] >= CUSTO_CABECA;
    for (int t = 0; t < horizonte; t++) {
        plano.x.push_back(xDe(i));
        plano.passo.push_back(escolha[t * n + i]);
        if (atingido[t * n + i] && plano.tAtingido < 0) plano.tAtingido = t;
        i = destino[t * n + i];
    }
    plano.x.push_back(xDe(i));
    return plano;
}

// A wall row the diary follows from when it is first seen whole until it has
// left the head rows. Frames are counted from the stage's first.
struct Passagem {
    int ordem = 0;        // order of arrival in the stage, from 1
    int chegada = 0;      // first frame with its black on the head rows
    int saida = 0;        // last such frame
    std::array<uint8_t, 640> preta{};
    std::string portas;
};

}  // namespace

// ---------------------------------------------------------------------------

struct JogadorRoteirizado::Interno {
    int indice = 0;            // 0 for player 1, 1 for player 2
    int fase = 1;
    int velocidade = 1;
    Poses figuras;              // the character's six pictures
    Poses figurasOutro;         // the other player's character
    int xOutro = -1;           // where that one was last seen
    Corpo corpo;
    Figura setas[4];           // this stage's arrows, up, down, left, right
    int alturaAlvo[4] = {32, 32, 32, 32};
    Figura icone;

    int x = 0;                 // the character's left edge, as last seen
    int atraso = 0;            // frames between a picture presented and seen
    int agora = 0;             // pictures presented in this stage
    int quadro = 0;            // the frame whose picture it looks at: agora - atraso
    // The last atraso + 1 pictures presented, by frame modulo atraso + 1.
    std::vector<std::unique_ptr<apoio::Bitmap>> lembradas;
    // Per frame of the stage: the step its walking keys asked for, -1, 0, +1.
    std::vector<int8_t> passosDados;
    int alturaPreta = ALTURA_PRETA_PRESUMIDA;
    std::vector<Fileira> vistasAntes;
    Plano plano;

    bool andar[2] = {false, false};  // left, right
    bool responder[4] = {false, false, false, false};
    int ultimoToque[4] = {-1000, -1000, -1000, -1000};

    Diario diario;
    std::map<int, Passagem> passagens;  // by first frame on the head rows
    int totalPassagens = 0;
    int saidaDaAnterior = 0;            // last head frame of the previous row
    std::vector<int> xNaCabeca;         // per frame: the x its head was tested at
    std::map<int, bool> avisados;

    BITMAP* lembrar(BITMAP* tela);
    void esperar();
    void aprenderAltura(const std::vector<Fileira>& vistas);
    int localizarPersonagem(const Quadro& tela);
    Achado localizarOutro(const Quadro& tela);
    void anotarPassagens(const std::vector<Fileira>& vistas);
    void avaliarPassagens();
    bool precisaReplanejar(const std::vector<Fileira>& vistas, int xVisto) const;
    void decidirCaminhada(const std::vector<Fileira>& vistas);
    void avisarSemSaida(const std::vector<Fileira>& vistas);
    int subidaAteATecla() const;
    int acharSeta(const Quadro& tela, int direcao) const;
    void decidirSetas(const Quadro& tela);
};

JogadorRoteirizado::JogadorRoteirizado(int jogador, int atraso) : eu(new Interno) {
    eu->indice = jogador == 1 ? 0 : 1;
    eu->atraso = std::max(0, atraso);
    eu->lembradas.resize(eu->atraso + 1);
    for (int k = 0; k < 6; k++) {
        eu->figuras[k] = carregarFigura(imagens::PERSONAGENS[eu->indice][k]);
        eu->figurasOutro[k] = carregarFigura(imagens::PERSONAGENS[1 - eu->indice][k]);
    }
    eu->corpo.largura = eu->figuras[0].largura;
    eu->corpo.altura = eu->figuras[0].altura;
    eu->x = CENTRO_INICIAL[eu->indice] - eu->corpo.largura / 2;
    eu->icone = carregarFigura(eu->indice == 0 ? imagens::RED_MUSH : imagens::GREEN_MUSH);
    for (int d = 0; d < 4; d++) eu->alturaAlvo[d] = carregarFigura(imagens::SETAS[4 + d]).altura;
    comecarFase(1);
}

JogadorRoteirizado::~JogadorRoteirizado() = default;

void JogadorRoteirizado::comecarFase(int fase) {
    Interno& e = *eu;
    e.fase = fase == 1 ? 1 : 2;
    e.velocidade = velocidadeDosMuros(e.fase);
    for (int d = 0; d < 4; d++) e.setas[d] = carregarFigura(imagens::SETAS[(e.fase - 1) * 4 + d]);
    e.agora = 0;
    e.quadro = 0;
    e.passosDados.assign(2, 0);  // nothing held in frame 1
    e.alturaPreta = ALTURA_PRETA_PRESUMIDA;
    e.vistasAntes.clear();
    e.plano = Plano();
    for (bool& a : e.andar) a = false;
    for (bool& r : e.responder) r = false;
    for (int& u : e.ultimoToque) u = -1000;
    e.diario = Diario();
    e.passagens.clear();
    e.totalPassagens = 0;
    e.saidaDaAnterior = 0;
    e.xNaCabeca.assign(2, e.x);  // frame 1 tests the head where the character stands
    e.avisados.clear();
}

void JogadorRoteirizado::olhar(BITMAP* tela) {
    Interno& e = *eu;
    e.agora++;
    tela = e.lembrar(tela);
    if (!tela) {
        e.esperar();
        return;
    }
    e.quadro = e.agora - e.atraso;
    const Quadro quadro = quadroDe(tela);
    std::vector<Fileira> vistas = verFileiras(quadro, e.alturaPreta);
    e.aprenderAltura(vistas);
    e.x = e.localizarPersonagem(quadro);
    // Drawn after its step, the character stands where the next frame tests it.
    e.xNaCabeca.resize(e.quadro + 2, e.x);
    e.xNaCabeca[e.quadro + 1] = e.x;
    e.anotarPassagens(vistas);
    e.avaliarPassagens();
    e.decidirCaminhada(vistas);
    e.decidirSetas(quadro);
    e.vistasAntes = std::move(vistas);
    e.passosDados.resize(e.agora + 2, 0);
    e.passosDados[e.agora + 1] = static_cast<int8_t>(e.andar[1] - e.andar[0]);
}

void JogadorRoteirizado::apertar() const {
    const int i = eu->indice;
    key[TECLA_ANDAR[i][0]] = eu->andar[0];
    key[TECLA_ANDAR[i][1]] = eu->andar[1];
    for (int d = 0; d < 4; d++) key[TECLA_SETA[i][d]] = eu->responder[d];
}

int JogadorRoteirizado::passo() const { return eu->andar[1] - eu->andar[0]; }

int JogadorRoteirizado::resposta() const {
    for (int d = 0; d < 4; d++)
        if (eu->responder[d]) return d;
    return -1;
}

int JogadorRoteirizado::vidasNaTela(BITMAP* tela) const {
    return vidasNaCaixa(quadroDe(tela), VIDAS_X[eu->indice], VIDAS_Y[eu->indice], eu->icone);
}

const Diario& JogadorRoteirizado::diario() const { return eu->diario; }

// Keeps the picture just presented and gives back the one presented atraso
// frames ago, or nothing while the stage is younger than that.
BITMAP* JogadorRoteirizado::Interno::lembrar(BITMAP* tela) {
    if (atraso == 0) return tela;
    auto& guardada = lembradas[agora % (atraso + 1)];
    if (!guardada) guardada = std::make_unique<apoio::Bitmap>(tela->w, tela->h);
    blit(tela, guardada->get(), 0, 0, 0, 0, tela->w, tela->h);
    if (agora - atraso < 1) return nullptr;
    return lembradas[(agora - atraso) % (atraso + 1)]->get();
}

// Nothing seen yet: no key held.
void JogadorRoteirizado::Interno::esperar() {
    for (bool& a : andar) a = false;
    for (bool& r : responder) r = false;
    passosDados.resize(agora + 2, 0);
    passosDados[agora + 1] = 0;
}

// Every row of a stage is as high as its picture: learnt from the first one
// seen whole.
void JogadorRoteirizado::Interno::aprenderAltura(const std::vector<Fileira>& vistas) {
    for (const Fileira& f : vistas)
        if (!f.cortadaEmCima && !f.cortadaEmBaixo && alturaPreta == ALTURA_PRETA_PRESUMIDA)
            alturaPreta = f.fundo - f.topo + 1;
}

// The character is where one of its pictures is drawn: first looked for
// where it should be, then anywhere on the ground, then - when the other
// character stands over it - among the pixels the other one leaves in sight.
// Failing all that, it is where it was meant to go.
int JogadorRoteirizado::Interno::localizarPersonagem(const Quadro& tela) {
    const int linha = ALTURA_COBERTURA + corpo.topo();
    const int t = quadro - plano.quadroBase;
    const int previsto = plano.quadroBase >= 0 && t < (int)plano.x.size() ? plano.x[t] : x;
    const auto perto = {previsto, x, x - PASSO, x + PASSO};
    const Achado aqui = procurarEm(figuras, tela, linha, perto);
    if (aqui.nota >= 0.5) return aqui.x;
    const Achado noChao = procurarNoChao(figuras, tela, linha);
    if (noChao.nota >= 0.5) return noChao.x;
    const Achado outro = localizarOutro(tela);
    if (outro.figura >= 0) {
        const Figura& f = figurasOutro[outro.figura];
        const Encoberto encoberto(f, outro.x, ALTURA_COBERTURA + medidas::LINHA_CHAO - f.altura);
        const Achado visivel = procurarEm(figuras, tela, linha, perto, &encoberto);
        if (visivel.nota >= 0.9) return visivel.x;
    }
    diario.quadrosSemVerPersonagem++;
    return previsto;
}

Achado JogadorRoteirizado::Interno::localizarOutro(const Quadro& tela) {
    const int linha = ALTURA_COBERTURA + medidas::LINHA_CHAO - figurasOutro[0].altura;
    Achado achado;
    if (xOutro >= 0)
        achado = procurarEm(figurasOutro, tela, linha, {xOutro, xOutro - PASSO, xOutro + PASSO});
    if (achado.nota < 0.9) achado = procurarNoChao(figurasOutro, tela, linha);
    if (achado.nota < 0.9) return Achado();
    xOutro = achado.x;
    return achado;
}

// A row seen whole tells when its black will reach the head rows and leave
// them: it falls a known number of rows a frame.
void JogadorRoteirizado::Interno::anotarPassagens(const std::vector<Fileira>& vistas) {
    for (const Fileira& f : vistas) {
        if (f.cortadaEmCima || f.cortadaEmBaixo || f.fundo >= corpo.cabecaDe()) continue;
        const int chegada = quadro + divisaoParaCima(corpo.cabecaDe() - f.fundo, velocidade);
        if (passagens.count(chegada)) continue;
        Passagem p;
        p.ordem = ++totalPassagens;
        p.chegada = chegada;
        p.saida = quadro + divisaoParaBaixo(corpo.cabecaAte() - f.topo, velocidade);
        for (int c = X_ESQUERDO; c <= X_DIREITO; c++) p.preta[c] = f.preta(c);
        p.portas = portas(f);
        passagens[chegada] = p;
    }
}

// Once a row has left the head rows: was the head ever under its black, and
// how long before its arrival had the character settled out of its way.
void JogadorRoteirizado::Interno::avaliarPassagens() {
    const int conhecidoAte = quadro + 1;  // head positions known up to this frame
    while (!passagens.empty() && passagens.begin()->second.saida <= conhecidoAte) {
        const Passagem p = passagens.begin()->second;
        passagens.erase(passagens.begin());
        auto abrigado = [&](int q) {
            const int cx = xNaCabeca[q];
            return !p.preta[corpo.colunaCabecaEsq(cx)] && !p.preta[corpo.colunaCabecaDir(cx)];
        };
        diario.fileirasPassadas++;
        bool atingida = false;
        for (int q = p.chegada; q <= p.saida; q++) atingida = atingida || !abrigado(q);
        const int inicio = std::max(1, saidaDaAnterior + 1);
        saidaDaAnterior = p.saida;
        if (atingida) {
            diario.fileirasAtingidas++;
            continue;
        }
        int desde = p.chegada;
        while (desde - 1 >= inicio && abrigado(desde - 1)) desde--;
        const int folga = p.chegada - desde;
        const int imagem = (p.ordem - 1) % IMAGENS_DO_CICLO[fase - 1] + 1;
        diario.margens.push_back({p.ordem, imagem, folga});
        if (diario.folgaMuroMinima < 0 || folga < diario.folgaMuroMinima) {
            diario.folgaMuroMinima = folga;
            diario.fileiraMaisApertada = p.ordem;
            diario.imagemMaisApertada = imagem;
        }
    }
}

// The plan stands while the walls and the character are where it expected.
bool JogadorRoteirizado::Interno::precisaReplanejar(const std::vector<Fileira>& vistas,
                                                    int xVisto) const {
    const int t = quadro - plano.quadroBase;
    if (plano.quadroBase < 0 || t >= REPLANEJAR_A_CADA) return true;
    if (agora - plano.quadroBase >= (int)plano.passo.size()) return true;
    if (plano.x[t] != xVisto) return true;
    std::vector<std::pair<int, int>> esperadas;
    for (const Fileira& f : vistasAntes) {
        const int topo = f.cortadaEmCima ? 0 : f.topo + velocidade;
        if (topo > ULTIMA_LINHA) continue;
        esperadas.push_back({topo, std::min(f.fundo + velocidade, ULTIMA_LINHA)});
    }
    if (esperadas.size() != vistas.size()) return true;
    for (std::size_t k = 0; k < vistas.size(); k++)
        if (esperadas[k] != std::make_pair(vistas[k].topo, vistas[k].fundo)) return true;
    return false;
}

void JogadorRoteirizado::Interno::decidirCaminhada(const std::vector<Fileira>& vistas) {
    if (precisaReplanejar(vistas, x)) {
        // Rows not yet on screen cannot reach the head within this horizon:
        // a row appears with its bottom no lower than the height of a row.
        const int horizonte = (corpo.cabecaDe() - alturaPreta - 2) / velocidade;
        // Each player keeps to its own side when it can, out of the other's way.
        const int casa = indice == 0 ? MENOR_X : maiorX(corpo.largura);
        // The keys of the frames since that picture are pressed already.
        const std::vector<int8_t> dados(passosDados.begin() + quadro + 1,
                                        passosDados.begin() + agora + 1);
        plano = planejar(vistas, velocidade, x, corpo, casa, horizonte, dados);
        plano.quadroBase = quadro;
        if (plano.semSaida) avisarSemSaida(vistas);
    }
    // Beyond what it can plan from what it sees, it stands.
    const int k = agora - plano.quadroBase;
    const int passo = k < (int)plano.passo.size() ? plano.passo[k] : 0;
    andar[0] = passo < 0;
    andar[1] = passo > 0;
}

// Says which row it cannot get out from under, once per row: its gaps, the
// gaps of the row before it, and the frames between them.
void JogadorRoteirizado::Interno::avisarSemSaida(const std::vector<Fileira>& vistas) {
    const int t = plano.tAtingido;
    if (t < 0) return;
    const int desloc = velocidade * (t + 1);
    const int cx = plano.x[t];
    const Fileira* culpada = nullptr;
    const Fileira* anterior = nullptr;
    for (const Fileira& f : vistas)
        if (f.deMin + desloc <= corpo.cabecaAte() && f.ateMax + desloc >= corpo.cabecaDe())
            culpada = &f;
    if (!culpada) return;
    for (const Fileira& f : vistas)
        if (f.fundo > culpada->fundo && (!anterior || f.fundo < anterior->fundo)) anterior = &f;
    const int chegada = quadro + divisaoParaCima(corpo.cabecaDe() - culpada->ateMax, velocidade);
    if (avisados[chegada]) return;
    avisados[chegada] = true;
    int ordem = totalPassagens + 1;  // not seen whole yet: the next to be
    for (const auto& [quando, p] : passagens)
        if (quando == chegada) ordem = p.ordem;
    std::ostringstream s;
    s << "stage " << fase << ", frame " << quadro
      << ": no way found under the row arriving in frame " << chegada << " (row " << ordem
      << " of the stage, picture " << (ordem - 1) % IMAGENS_DO_CICLO[fase - 1] + 1 << ", gaps "
      << portas(*culpada)
      << "); character at x " << x << ", its head would be hit at x " << cx << " in frame "
      << quadro + 1 + t;
    if (anterior)
        s << "; the row before it (gaps " << portas(*anterior) << ") leaves the body rows in frame "
          << quadro + divisaoParaCima(corpo.pes() + 1 - anterior->deMin, velocidade);
    diario.avisos.push_back(s.str());
}

// Rows an arrow rises from the picture it looks at to the frame its keys
// are for.
int JogadorRoteirizado::Interno::subidaAteATecla() const { return SUBIDA_SETA * (atraso + 1); }

// The top row of an arrow of `direcao` drawn where the frame its keys are
// for will judge it inside its target, or -1.
int JogadorRoteirizado::Interno::acharSeta(const Quadro& tela, int direcao) const {
    const int deY = LINHA_ALVOS + subidaAteATecla();
    const int ateY = LINHA_ALVOS + alturaAlvo[direcao] + subidaAteATecla();
    return linhaDaSeta(setas[direcao], tela, colunaDaSeta(indice + 1, direcao), deY, ateY);
}

// Presses an arrow's key once, for the frame in which the arrow will be in
// the middle of its target; the key is up again the frame after.
void JogadorRoteirizado::Interno::decidirSetas(const Quadro& tela) {
    for (bool& r : responder) r = false;
    int escolhida = -1, linhaEscolhida = 0;
    for (int d = 0; d < 4; d++) {
        const int vista = acharSeta(tela, d);
        if (vista < 0) continue;
        const int julgada = vista - subidaAteATecla();  // where its keys' frame judges it
        const int meio = LINHA_ALVOS + alturaAlvo[d] / 2;
        if (julgada > meio || quadro - ultimoToque[d] <= QUADROS_ENTRE_TOQUES) continue;
        if (escolhida < 0 || julgada < linhaEscolhida) {
            escolhida = d;
            linhaEscolhida = julgada;
        }
    }
    if (escolhida < 0) return;
    responder[escolhida] = true;
    ultimoToque[escolhida] = quadro;
    diario.setasRespondidas++;
    // Frames the press could have come later, or earlier, and still hit.
    const int podiaAtrasar = (linhaEscolhida - LINHA_ALVOS) / SUBIDA_SETA;
    const int podiaAdiantar = (LINHA_ALVOS + alturaAlvo[escolhida] - linhaEscolhida) / SUBIDA_SETA;
    const int folga = std::min(podiaAtrasar, podiaAdiantar);
    if (diario.folgaSetaMinima < 0 || folga < diario.folgaSetaMinima)
        diario.folgaSetaMinima = folga;
}

}  // namespace roteiro
