#include "GerenciadorSetas.h"

#include "Player.h"
#include "Seta.h"
#include "imagens.h"
#include "medidas.h"

namespace {

using medidas::LINHA_ALVOS;
const int LINHA_ESPERA = 480;    // recycled arrows wait one row below the frame
using medidas::VELOCIDADE_SETA;
const int DESLOCAMENTO_P2 = medidas::DESLOCAMENTO_RAIA_P2;
const int ULTIMA_ENTRADA = 49;   // entries 0-49 of a sequence
const int PRIMEIRO_CODIGO_FASE2 = 4;
const int QUADROS_EXCLAMACAO = 5;

// Directions in hold-counter order; an arrow code c means direction c % 4.
enum Direcao { CIMA, BAIXO, ESQUERDA_D, DIREITA_D };

struct InfoDirecao {
    char codigo;
    int colunaP1;
    int teclaP1;
    int teclaP2;
};

const InfoDirecao DIRECOES[4] = {
    {'u', medidas::COLUNA_CIMA, KEY_W, KEY_5_PAD},
    {'d', medidas::COLUNA_BAIXO, KEY_S, KEY_2_PAD},
    {'l', medidas::COLUNA_ESQUERDA, KEY_A, KEY_1_PAD},
    {'r', medidas::COLUNA_DIREITA, KEY_D, KEY_3_PAD},
};

const int SEQUENCIA_FASE1[50] = {
    3, 2, 1, 2, 3, 1, 2, 3, 0, 1,  0, 3, 3, 1, 0, 2, 1, 3, 0, 2,
    1, 1, 3, 0, 0, 2, 1, 3, 1, 0,  1, 0, 3, 2, 0, 0, 3, 2, 1, 3,
    0, 1, 3, 2, 0, 1, 0, 3, 2, 2};
const int SEQUENCIA_FASE2[50] = {
    4, 5, 7, 7, 6, 4, 5, 4, 6, 4,  7, 6, 5, 4, 6, 6, 4, 5, 6, 7,
    7, 5, 4, 6, 7, 5, 6, 6, 4, 7,  7, 5, 4, 7, 6, 4, 5, 6, 7, 5,
    5, 5, 6, 4, 7, 7, 4, 6, 5, 4};

// Opening arrows: direction and row of each slot.
struct SetaInicial {
    Direcao direcao;
    int linha;
};
const SetaInicial ABERTURA_FASE1[4] = {{CIMA, 480}, {BAIXO, 587}, {ESQUERDA_D, 694}, {DIREITA_D, 801}};
const SetaInicial ABERTURA_FASE2[5] = {
    {CIMA, 480}, {BAIXO, 567}, {ESQUERDA_D, 654}, {DIREITA_D, 741}, {CIMA, 828}};

int direcaoDoCodigo(char codigo) {
    for (int d = 0; d < 4; d++)
        if (DIRECOES[d].codigo == codigo) return d;
    return CIMA;
}

}  // namespace

GerenciadorSetas::GerenciadorSetas(int fase, int player) {
    this->fase = fase;
    this->player = player;
    indiceAtual = 0;
    inicializarSequenciaSetas();
    setaMaisPerto = 0;

    exclamacao = load_bitmap(imagens::EXCLAMACAO, NULL);
    contadorExclamacao = 0;
    exclamacaoPress = false;
    acertou = false;
    for (int& c : contadorTecla) c = 0;

    for (int i = 0; i < 8; i++) arrayBitmaps[i] = load_bitmap(imagens::SETAS[i], NULL);

    // Targets always take the stage-2 pictures: their height is the depth of
    // the hit window.
    const int deslocamento = player == 1 ? 0 : DESLOCAMENTO_P2;
    auto alvo = [&](Direcao d) {
        return new Seta(*arrayBitmaps[PRIMEIRO_CODIGO_FASE2 + d],
                        DIRECOES[d].colunaP1 + deslocamento, LINHA_ALVOS, 0, DIRECOES[d].codigo);
    };
    areaLeft = alvo(ESQUERDA_D);
    areaDown = alvo(BAIXO);
    areaUp = alvo(CIMA);
    areaRight = alvo(DIREITA_D);

    const bool primeira = fase == 1;
    const SetaInicial* abertura = primeira ? ABERTURA_FASE1 : ABERTURA_FASE2;
    const int slots = primeira ? 4 : 5;
    const int primeiroCodigo = primeira ? 0 : PRIMEIRO_CODIGO_FASE2;
    for (int i = 0; i < 5; i++) arraySetas[i] = nullptr;
    for (int i = 0; i < slots; i++) {
        const Direcao d = abertura[i].direcao;
        arraySetas[i] = new Seta(*arrayBitmaps[primeiroCodigo + d],
                                 DIRECOES[d].colunaP1 + deslocamento, abertura[i].linha,
                                 VELOCIDADE_SETA, DIRECOES[d].codigo);
    }
}

GerenciadorSetas::~GerenciadorSetas() {
    delete areaLeft;
    delete areaDown;
    delete areaUp;
    delete areaRight;
    for (Seta* seta : arraySetas) delete seta;
    for (BITMAP* b : arrayBitmaps) destroy_bitmap(b);
    destroy_bitmap(exclamacao);
}

void GerenciadorSetas::inicializarSequenciaSetas() {
    const int* tabela = fase == 1 ? SEQUENCIA_FASE1 : SEQUENCIA_FASE2;
    for (int i = 0; i < 50; i++) sequenciaSetas[i] = tabela[i];
}

// Moves every arrow; one that reached the top edge goes back below the frame
// with the next arrow of the sequence and gets its verdict. All arrows rise at
// the same speed and restart on the same row, so they reach the top in slot
// order and the verdict always belongs to the nearest arrow.
void GerenciadorSetas::manipularSetas(BITMAP& buffer, Player& p, bool& b) {
    const int slots = fase == 1 ? 4 : 5;
    const int totalVeredictos = slots + ULTIMA_ENTRADA;
    const int deslocamento = player == 1 ? 0 : DESLOCAMENTO_P2;
    for (int i = 0; i < slots; i++) {
        Seta* seta = arraySetas[i];
        if (indiceAtual <= ULTIMA_ENTRADA || seta->getY() <= LINHA_ESPERA - 1) seta->subir();
        if (seta->getY() <= 0) {
            seta->setY(LINHA_ESPERA);
            if (indiceAtual <= ULTIMA_ENTRADA) {
                const int codigo = sequenciaSetas[indiceAtual];
                const InfoDirecao& d = DIRECOES[codigo % 4];
                seta->setX(d.colunaP1 + deslocamento);
                seta->setDirecao(d.codigo);
                seta->setBitmap(*arrayBitmaps[codigo]);
            }
            if (acertou)
                p.setaAcertada();
            else
                p.setaErrada();
            indiceAtual++;
            if (indiceAtual == totalVeredictos) b = true;
            setaMaisPerto = (setaMaisPerto + 1) % slots;
            acertou = false;
        }
        seta->desenharNaTela(buffer);
    }
}

void GerenciadorSetas::setContadoresTempo() {
    for (int d = 0; d < 4; d++) {
        const int tecla = player == 1 ? DIRECOES[d].teclaP1 : DIRECOES[d].teclaP2;
        if (key[tecla])
            contadorTecla[d]++;
        else
            contadorTecla[d] = 0;
    }
}

// A hit needs the nearest arrow's top edge within its target's rows (both
// ends included), its key freshly down (at most two frames) and no other
// answer key down. Nothing here ever costs anything or undoes a hit.
bool GerenciadorSetas::colisaoSeta(BITMAP& buffer) {
    Seta* seta = arraySetas[setaMaisPerto];
    const int d = direcaoDoCodigo(seta->getDirecao());
    Seta* alvos[4] = {areaUp, areaDown, areaLeft, areaRight};
    Seta* alvo = alvos[d];

    const int limiteSuperior = alvo->getY();
    const int limiteInferior = alvo->getY() + alvo->getAltura();
    const bool naJanela = limiteSuperior <= seta->getY() && seta->getY() <= limiteInferior;

    bool outraTecla = false;
    for (int outra = 0; outra < 4; outra++) {
        if (outra == d) continue;
        const int tecla = player == 1 ? DIRECOES[outra].teclaP1 : DIRECOES[outra].teclaP2;
        if (key[tecla]) outraTecla = true;
    }
    const int tecla = player == 1 ? DIRECOES[d].teclaP1 : DIRECOES[d].teclaP2;
    bool acertouAgora = false;
    if (naJanela && key[tecla] && !outraTecla && contadorTecla[d] <= 2) {
        acertou = true;
        exclamacaoPress = true;
        acertouAgora = true;
    }

    // The hit mark shows on the target for five frames, then clears.
    if (exclamacaoPress && contadorExclamacao <= QUADROS_EXCLAMACAO - 1) {
        draw_sprite(&buffer, exclamacao, alvo->getX(), alvo->getY());
        contadorExclamacao++;
    } else {
        exclamacaoPress = false;
        contadorExclamacao = 0;
    }
    return acertouAgora;
}
