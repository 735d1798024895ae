#include "leitor_tela.h"

#include <algorithm>
#include <sstream>

namespace leitura {

using medidas::ALTURA_COBERTURA;

Quadro Quadro::campo() const {
    return Quadro(largura_, std::vector<const Pixel*>(linhas_.begin() + ALTURA_COBERTURA, linhas_.end()));
}

// ---------------------------------------------------------------------------
// Pictures known by sight.

Encoberto::Encoberto(const Figura& f, int esquerda, int topo)
    : x(esquerda), y(topo), largura(f.largura), altura(f.altura), mascara(f.largura * f.altura, 0) {
    for (const Ponto& p : f.pontos) mascara[p.dy * largura + p.dx] = 1;
}

bool Encoberto::cobre(int px, int py) const {
    const int rx = px - x, ry = py - y;
    return rx >= 0 && ry >= 0 && rx < largura && ry < altura && mascara[ry * largura + rx];
}

double semelhanca(const std::vector<Ponto>& pontos, const Quadro& tela, int x, int y,
                  const Encoberto* encoberto) {
    int vistos = 0, iguais = 0;
    for (const Ponto& p : pontos) {
        const int px = x + p.dx, py = y + p.dy;
        if (px < 0 || py < 0 || px >= tela.largura() || py >= tela.altura()) continue;
        if (encoberto && encoberto->cobre(px, py)) continue;
        vistos++;
        if (tela.pixel(px, py) == p.cor) iguais++;
    }
    if (vistos == 0 || vistos * 6 < static_cast<int>(pontos.size())) return 0;
    return static_cast<double>(iguais) / vistos;
}

namespace {

// Whether semelhanca(...) >= limiar, given up as soon as the points missed
// so far rule it out: at a glance over many places most fail early.
bool pareceAoMenos(const std::vector<Ponto>& pontos, const Quadro& tela, int x, int y,
                   double limiar) {
    const double falhasDemais = (1 - limiar) * static_cast<double>(pontos.size());
    int falhas = 0;
    for (const Ponto& p : pontos) {
        const int px = x + p.dx, py = y + p.dy;
        if (px < 0 || py < 0 || px >= tela.largura() || py >= tela.altura()) continue;
        if (tela.pixel(px, py) != p.cor && ++falhas > falhasDemais) return false;
    }
    return semelhanca(pontos, tela, x, y) >= limiar;
}

}  // namespace

// ---------------------------------------------------------------------------
// The characters.

Achado procurarEm(const Poses& pose, const Quadro& tela, int y, std::initializer_list<int> colunas,
                  const Encoberto* encoberto) {
    Achado melhor;
    for (auto coluna = colunas.begin(); coluna != colunas.end(); ++coluna) {
        const int x = *coluna;
        if (std::find(colunas.begin(), coluna, x) != coluna) continue;  // looked at already
        for (int k = 0; k < 6; k++) {
            if (!encoberto && !pareceAoMenos(pose[k].amostra, tela, x, y, 0.25)) continue;
            const double nota = semelhanca(pose[k].pontos, tela, x, y, encoberto);
            if (nota > melhor.nota) melhor = {x, k, nota};
        }
    }
    return melhor;
}

Achado procurarNoChao(const Poses& pose, const Quadro& tela, int y) {
    Achado melhor;
    for (int x = MENOR_X; x <= maiorX(pose[0].largura); x++)
        for (int k = 0; k < 6; k++) {
            if (!pareceAoMenos(pose[k].amostra, tela, x, y, 0.75)) continue;
            const double nota = semelhanca(pose[k].pontos, tela, x, y);
            if (nota > melhor.nota) melhor = {x, k, nota};
        }
    return melhor;
}

// ---------------------------------------------------------------------------
// Wall rows.

namespace {

// Rows this far above the feet are glanced at every few columns (a wall
// block is much wider), and read whole once black shows up in them: a row
// first seen there still has a long way to fall. Nearer, every pixel counts.
constexpr int LINHA_OLHAR_TUDO = 300;
constexpr int PASSO_DE_RELANCE = 4;

bool temPreto(const Quadro& tela, int linha, int passo) {
    const Pixel* p = tela.linha(linha + ALTURA_COBERTURA);
    int achados = 0;
    for (int c = X_ESQUERDO; c <= X_DIREITO; c += passo) achados += p[c] == PRETO;
    return achados > 0;
}

// Reads a playfield row whole into the row's columns; false when it has no black.
bool lerLinha(const Quadro& tela, int linha, Fileira& f) {
    const Pixel* p = tela.linha(linha + ALTURA_COBERTURA);
    bool achou = false;
    for (int c = X_ESQUERDO; c <= X_DIREITO; c++)
        if (p[c] == PRETO) {
            if (f.de[c] < 0 || linha < f.de[c]) f.de[c] = linha;
            if (linha > f.ate[c]) f.ate[c] = linha;
            achou = true;
        }
    return achou;
}

}  // namespace

std::vector<Fileira> verFileiras(const Quadro& tela, int alturaPreta) {
    std::vector<Fileira> fileiras;
    fileiras.reserve(8);
    for (int r = 0; r <= ULTIMA_LINHA; r++) {
        if (!temPreto(tela, r, r >= LINHA_OLHAR_TUDO ? 1 : PASSO_DE_RELANCE)) continue;
        fileiras.emplace_back();
        Fileira& f = fileiras.back();
        f.de.fill(-1);
        f.ate.fill(-1);
        f.topo = f.fundo = r;
        lerLinha(tela, r, f);
        while (f.topo > 0 && lerLinha(tela, f.topo - 1, f)) f.topo--;
        while (f.fundo < ULTIMA_LINHA && lerLinha(tela, f.fundo + 1, f)) f.fundo++;
        r = f.fundo + 1;  // read already: it has no black
        f.cortadaEmCima = f.topo == 0;
        f.cortadaEmBaixo = f.fundo == ULTIMA_LINHA;
        f.deMin = f.topo;
        f.ateMax = f.fundo;
        // What the screen cuts off: a row sliding in may reach as high as a
        // whole row does; one reaching past the feet goes on below them.
        for (int c = X_ESQUERDO; c <= X_DIREITO; c++) {
            if (!f.preta(c)) continue;
            if (f.cortadaEmCima) f.de[c] = std::min<int>(f.de[c], f.fundo - alturaPreta + 1);
            if (f.cortadaEmBaixo && f.ate[c] == ULTIMA_LINHA) f.ate[c] = ULTIMA_LINHA + 100;
            f.deMin = std::min<int>(f.deMin, f.de[c]);
            f.ateMax = std::max<int>(f.ateMax, f.ate[c]);
        }
    }
    return fileiras;
}

void colunasPretas(const std::vector<Fileira>& fileiras, int desloc, int linhaDe, int linhaAte,
                   std::array<std::uint8_t, 640>& saida) {
    saida.fill(0);
    for (const Fileira& f : fileiras) {
        if (f.deMin + desloc > linhaAte || f.ateMax + desloc < linhaDe) continue;
        for (int c = X_ESQUERDO; c <= X_DIREITO; c++)
            if (f.preta(c) && f.de[c] + desloc <= linhaAte && f.ate[c] + desloc >= linhaDe)
                saida[c] = 1;
    }
}

std::string portas(const Fileira& f) {
    std::ostringstream s;
    int c = X_ESQUERDO;
    while (c <= X_DIREITO) {
        if (f.preta(c)) {
            c++;
            continue;
        }
        const int inicio = c;
        while (c <= X_DIREITO && !f.preta(c)) c++;
        s << (s.tellp() > 0 ? ", " : "") << inicio - X_ESQUERDO << ".." << c - 1 - X_ESQUERDO;
    }
    return s.str();
}

// ---------------------------------------------------------------------------
// The arrow lanes.

int colunaDaSeta(int jogador, int direcao) {
    using namespace medidas;
    static constexpr int COLUNAS[4] = {COLUNA_CIMA, COLUNA_BAIXO, COLUNA_ESQUERDA, COLUNA_DIREITA};
    return COLUNAS[direcao] + (jogador == 1 ? 0 : DESLOCAMENTO_RAIA_P2);
}

int linhaDaSeta(const Figura& seta, const Quadro& tela, int coluna, int deY, int ateY) {
    if (seta.pontos.empty()) return -1;
    const Ponto& sonda = seta.pontos.front();
    ateY = std::min(ateY, tela.altura() - ALTURA_COBERTURA - seta.altura);
    for (int y = deY; y <= ateY; y++) {
        if (tela.pixel(coluna + sonda.dx, ALTURA_COBERTURA + y + sonda.dy) != sonda.cor) continue;
        if (semelhanca(seta.pontos, tela, coluna, ALTURA_COBERTURA + y) > 0.9) return y;
    }
    return -1;
}

int topoDiferente(const Quadro& tela, const Quadro& fundo, int coluna, int largura, int linhas) {
    for (int y = 0; y < linhas; y++) {
        const Pixel* visto = tela.linha(ALTURA_COBERTURA + y);
        const Pixel* esperado = fundo.linha(y);
        for (int c = coluna; c < coluna + largura; c++)
            if (visto[c] != esperado[c]) return y;
    }
    return -1;
}

SetaVista setaNoAlvo(const Quadro& tela, const Quadro& fundo, int jogador, int de, int ate) {
    for (int d = 0; d < 4; d++) {
        const int topo = topoDiferente(tela, fundo, colunaDaSeta(jogador, d), LARGURA_COLUNA, ate + 1);
        if (topo >= de) return {d, topo};
    }
    return {};
}

// ---------------------------------------------------------------------------
// Lives boxes.

int vidasNaCaixa(const Quadro& tela, int x, int y, const Figura& icone) {
    using medidas::ALTURA_VIDAS;
    using medidas::LARGURA_VIDAS;
    if (icone.largura <= 0) return -1;
    for (int vidas = 0; vidas <= medidas::VIDAS_INICIAIS; vidas++) {
        // The box as it shows this many lives: black, and the icon's opaque
        // pixels in the first places.
        std::vector<Pixel> esperada(LARGURA_VIDAS * ALTURA_VIDAS, PRETO);
        for (int n = 0; n < vidas; n++)
            for (const Ponto& p : icone.pontos) {
                const int dx = n * icone.largura + p.dx;
                if (dx < LARGURA_VIDAS && p.dy < ALTURA_VIDAS) esperada[p.dy * LARGURA_VIDAS + dx] = p.cor;
            }
        bool igual = true;
        for (int dy = 0; dy < ALTURA_VIDAS && igual; dy++)
            for (int dx = 0; dx < LARGURA_VIDAS && igual; dx++)
                igual = tela.pixel(x + dx, y + dy) == esperada[dy * LARGURA_VIDAS + dx];
        if (igual) return vidas;
    }
    return -1;
}

// ---------------------------------------------------------------------------
// Numbers in the library's font.

Celula celulaEm(const Quadro& tela, int x, int y) {
    Celula c{};
    for (int dy = 0; dy < 8; dy++)
        for (int dx = 0; dx < 8; dx++) c[dy * 8 + dx] = tela.pixel(x + dx, y + dy);
    return c;
}

std::array<Celula, 10> algarismosDe(const Quadro& impressos, int x, int y) {
    std::array<Celula, 10> a;
    for (int d = 0; d < 10; d++) a[d] = celulaEm(impressos, x + 8 * d, y);
    return a;
}

long numeroEm(const Quadro& tela, int x, int y, int celulas, const std::array<Celula, 10>& algarismos,
              Pixel fundo) {
    long numero = -1;
    for (int c = 0; c < celulas; c++) {
        const Celula vista = celulaEm(tela, x + 8 * c, y);
        if (std::all_of(vista.begin(), vista.end(), [fundo](Pixel p) { return p == fundo; })) break;
        const auto d = std::find(algarismos.begin(), algarismos.end(), vista);
        if (d == algarismos.end()) return -1;
        numero = std::max(numero, 0L) * 10 + (d - algarismos.begin());
    }
    return numero;
}

// ---------------------------------------------------------------------------
// Frames and stillness.

Ritmo::Ritmo(double lembrado) : lembrado_(lembrado) {}

void Ritmo::ver(double t, bool novo) {
    if (primeiro_ < 0) primeiro_ = t;
    agora_ = t;
    if (!novo) return;
    // The first new picture of a watch ends a gap that began before it:
    // only the gaps between two new pictures are frame intervals.
    if (ultimoNovo_ >= 0 && t - ultimoNovo_ <= MAIOR_LACUNA_S) gaps_[medidas_++ % LACUNAS] = t - ultimoNovo_;
    ultimoNovo_ = t;
    novos_++;
}

double Ritmo::intervalo() const {
    if (medidas_ == 0) return lembrado_;
    return *std::max_element(gaps_, gaps_ + std::min(medidas_, LACUNAS));
}

double Ritmo::espera() const { return std::max(PISO_S, QUADROS_PARADO * intervalo()); }

bool Ritmo::parado() const {
    if (primeiro_ < 0) return false;
    const double desde = ultimoNovo_ >= 0 ? ultimoNovo_ : primeiro_;
    return agora_ - desde >= espera();
}

bool iguais(const Quadro& a, const Quadro& b, int x, int y, int w, int h) {
    for (int dy = y; dy < y + h; dy++)
        if (!std::equal(a.linha(dy) + x, a.linha(dy) + x + w, b.linha(dy) + x)) return false;
    return true;
}

}  // namespace leitura
