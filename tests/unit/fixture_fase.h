#ifndef FIXTURE_FASE_H
#define FIXTURE_FASE_H

// A whole stage on fixture pictures written into a temporary folder: every
// picture the stage, its walls, its arrow lanes and its players load, each of
// a known size and a colour of its own, so that what a step drew, and where,
// can be read back from the buffer and the cover strip.
#include <allegro.h>

#include <memory>

#include "Fase.h"
#include "Player.h"
#include "apoio.h"

namespace palco {

// Playfield and pictures.
constexpr int X_CAMPO = 141;          // left edge of the playfield
constexpr int LARGURA_CAMPO = 359;    // width of the moving layer, the ground and the walls
constexpr int ALTURA_MOVEL = 960;
constexpr int LINHA_MARCA = 480;      // row of the moving layer painted in its own colour:
                                      // it shows in the buffer at row posMovel + 480
constexpr int COLUNA_MARCA = 400;     // a playfield column no character stands on
constexpr int LINHA_CORPO = 400;      // a buffer row through both characters, above the ground

// Characters: 32 x 44, so player 1 starts at x 144 and player 2 at x 464,
// both with their top row at 397 (feet on 441).
constexpr int LARGURA_FIGURA = 32;
constexpr int ALTURA_FIGURA = 44;
constexpr int X_INICIAL[2] = {144, 464};
constexpr int Y_FIGURA = 397;

// Arrow lanes.
constexpr int LARGURA_SETA = 30;
constexpr int ALTURA_SETA_FASE1 = 24;
constexpr int ALTURA_SETA_FASE2 = 32;   // the targets' pictures: window rows 9 .. 41
constexpr int JANELA_TOPO = 9;
constexpr int JANELA_FUNDO = JANELA_TOPO + ALTURA_SETA_FASE2;

// What the wall rows hold.
enum class Muros {
    vazios,           // every row all magenta: nothing ever hits
    linhaUnica,       // the first row of each stage is one pure-black line, the rest magenta
    cortinaEsquerda,  // every row solid black over player 1's half of the field
    cortinaDireita,   // every row solid black over player 2's half
    cortinaInteira    // every row solid black across the field
};

struct Opcoes {
    int jogadores = 1;
    int fase = 1;
    Muros muros = Muros::vazios;
    int alturaChao = 30;
    bool chaoPreto = false;
    // Both characters pure black but for their top row (in the player's colour),
    // so each is a wall for whoever tests the buffer after it is drawn.
    bool personagensPretos = false;
    // One-player game given a second, separate player instead of player 1 twice.
    bool segundoSeparado = false;
};

// Colours; none is pure black or magenta, and all differ.
int preto();
int corLimpa();                 // what the buffer is cleared to before each step
int corFundo(int fase);
int corMolduraFundo();          // the background's one-pixel border
int corMovel(int fase);
int corMarca();
int corChao();
int corFigura(int jogador);
int corIcone(int jogador);
int corSeta(int codigo);        // arrow codes 0-7
int corExclamacao();

// Writes every picture the stage needs into `pasta`.
void gravarFiguras(apoio::PastaTemporaria& pasta, const Opcoes& opcoes);

// The nearest arrow of a lane as drawn in the buffer.
struct SetaVista {
    int direcao;  // 0 up, 1 down, 2 left, 3 right; -1 when none is on screen
    int y;        // its top row
};

class Palco {
public:
    explicit Palco(const Opcoes& opcoes = Opcoes());
    ~Palco();
    Palco(const Palco&) = delete;
    Palco& operator=(const Palco&) = delete;

    // One step on a freshly cleared buffer, as the game shell runs it.
    void passo(bool flag = false);
    void passos(int n);
    // One transition step on a freshly cleared buffer.
    void acelerar(int velocidade);

    // Holds the player's answer key for its nearest arrow exactly while that
    // arrow will be inside its target in the coming step, judging by where it
    // was drawn in the last one. Every arrow so answered is a hit.
    void responderSetas(int jogador);

    // Reading the last step back.
    int linhaDaMarca() const;                    // -1 when the marker row is not seen
    int colunaDaCor(int cor, int linha) const;   // leftmost, -1 when absent
    int linhaDaCor(int cor, int coluna) const;   // topmost, -1 when absent
    bool raiaDesenhada(int jogador) const;       // any arrow drawn in the player's lane
    SetaVista setaMaisProxima(int jogador) const;
    int iconesDeVida(int jogador) const;         // icons in the player's lives box on the strip

    // Player 2 exists in a two-player stage or when given separately.
    Player& jogador(int n) { return n == 1 ? *p1 : *p2; }
    Fase& fase() { return *estagio; }
    BITMAP* tela() const { return buffer.get(); }

private:
    apoio::PastaTemporaria pasta;
    apoio::Bitmap buffer;
    apoio::Bitmap cobertura;
    std::unique_ptr<Player> p1;
    std::unique_ptr<Player> p2;
    std::unique_ptr<Fase> estagio;
};

}  // namespace palco

#endif
