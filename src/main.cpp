// ritmuro: start-up, the frame clock, the main loop with the game flow from
// the title menu through both stages to the end screens, and shutdown. The
// steps of a game frame are in fluxo.h; what waits on the keyboard is here.
#include <allegro.h>

#include <cstdio>
#include <string>
#include <unistd.h>

#include "Abertura.h"
#include "Player.h"
#include "define.h"
#include "fluxo.h"
#include "imagens.h"
#include "janela.h"
#include "medidas.h"

volatile long counter = 0;  // timer ticks; written only by game_timer
int FPS = 60;               // the timer runs at 1000 / FPS ms: 16 ms, 62.5 Hz

namespace {

using medidas::ALTURA_COBERTURA;
using medidas::ALTURA_TELA;
const int ENTRADA_UM_JOGADOR = 0;
const int ENTRADA_DOIS_JOGADORES = 1;
const int ENTRADA_SAIR = 3;

// Reports a failed start-up on the console as well as through the library,
// which may have no window to show it in.
void avisar(const std::string& mensagem) {
    std::fprintf(stderr, "ritmuro: %s\n", mensagem.c_str());
    allegro_message("%s", mensagem.c_str());
}

std::string pastaAtual() {
    char caminho[4096];
    return getcwd(caminho, sizeof caminho) ? std::string(caminho) : std::string("?");
}

void escreverPlacar(BITMAP* imagem, const Jogo& jogo, int cor) {
    using namespace medidas;
    textprintf_ex(imagem, font, X_PLACAR_P1, Y_PLACAR, cor, -1, "Zorbo: %d", jogo.p1->getPontos());
    if (jogo.p2) textprintf_ex(imagem, font, X_PLACAR_P2, Y_PLACAR, cor, -1, "Velna: %d", jogo.p2->getPontos());
}

// Shown until Enter. The scores are printed after each presentation, so the
// first pass shows the bare picture.
void telaGameOver(const Jogo& jogo) {
    BITMAP* gameOver = load_bitmap(imagens::GAME_OVER, NULL);
    while (!key[KEY_ENTER] && !janelaFechada()) {
        draw_sprite(screen, gameOver, 0, 0);
        escreverPlacar(gameOver, jogo, makecol(255, 255, 255));
    }
    destroy_bitmap(gameOver);
}

// The winner's picture, or the draw; a one-player game always ends on Zorbo's.
void telaFinal(const Jogo& jogo) {
    const char* arquivo = imagens::FINISH_ZORBO;
    if (jogo.p2) {
        const int a = jogo.p1->getPontos();
        const int b = jogo.p2->getPontos();
        if (a < b) arquivo = imagens::FINISH_VELNA;
        if (a == b) arquivo = imagens::FINISH_DRAW;
    }
    BITMAP* finish = load_bitmap(arquivo, NULL);
    escreverPlacar(finish, jogo, makecol(0, 0, 0));
    while (!key[KEY_ENTER] && !janelaFechada()) draw_sprite(screen, finish, 0, 0);
    destroy_bitmap(finish);
}

// Waits for P to be released, then pressed again (or the window closed).
void pausar() {
    while (key[KEY_P] && !janelaFechada()) {
    }
    while (!key[KEY_P] && !janelaFechada()) {
    }
}

}  // namespace

void game_timer() { counter++; }
END_OF_FUNCTION(game_timer)

// Starts the library, the keyboard, mouse and timer, and the 640 x 480 mode
// at 32-bit colour. Gives TRUE, or FALSE after telling the player why.
int inicia() {
    if (allegro_init() != 0) {
        avisar("Erro ao inicializar a biblioteca Allegro");
        return FALSE;
    }
    const bool teclado = install_keyboard() == 0;
    install_mouse();  // nothing reads the mouse
    const bool relogio = install_timer() == 0;
    if (!teclado || !relogio) {
        avisar(!teclado ? "Erro ao instalar o teclado" : "Erro ao instalar o relogio");
        return FALSE;
    }
    set_color_depth(32);
    if (set_gfx_mode(GFX_AUTODETECT, MAX_X, ALTURA_TELA, 0, 0) < 0) {
        avisar("Erro ao inicializar o modo grafico");
        return FALSE;
    }
    instalarBotaoFechar();
    return TRUE;
}

void principal() {
    bool flag = false;
    bool abertura = false;
    bool exit = false;
    BITMAP* buffer = create_bitmap(MAX_X, ALTURA_TELA);
    BITMAP* cobertura = create_bitmap(MAX_X, ALTURA_COBERTURA);
    LOCK_VARIABLE(counter);
    LOCK_FUNCTION(game_timer);
    install_int(game_timer, 1000 / FPS);
    int vel_control = 0;

    Abertura* open = new Abertura();
    Jogo jogo;

    while (!exit && !janelaFechada()) {
        if (counter < vel_control) continue;  // spin until the next tick

        if (!abertura) {
            const int selecao = open->selecao(buffer, abertura);
            clear_bitmap(cobertura);
            abertura = true;
            if (selecao == ENTRADA_UM_JOGADOR || selecao == ENTRADA_DOIS_JOGADORES)
                iniciarJogo(jogo, buffer, cobertura, selecao == ENTRADA_UM_JOGADOR ? 1 : 2);
            if (selecao == ENTRADA_SAIR) exit = true;
        }
        if (exit || janelaFechada()) break;  // leaving from the menu presents nothing more

        const Desfecho desfecho = quadroDeJogo(jogo, cobertura, flag);
        if (desfecho == Desfecho::GAME_OVER) telaGameOver(jogo);
        if (desfecho == Desfecho::FIM) telaFinal(jogo);
        if (desfecho != Desfecho::SEGUE) abertura = false;

        // P, Esc and F5 share one guard: each acts once per press, and while
        // one is held the others do nothing.
        if (key[KEY_P] && !flag) pausar();
        if (key[KEY_ESC] && !flag) {
            if (abertura)
                abertura = false;  // abandon the game: the menu opens next frame
            else
                exit = true;       // Esc together with Enter on an end screen
        }
        flag = guardaDeTeclas();

        vel_control = counter + 1;
        apresentar(buffer, cobertura);
    }

    delete open;
    liberarJogo(jogo);
    destroy_bitmap(buffer);
    destroy_bitmap(cobertura);
}

void finaliza() {
    remove_timer();
    remove_mouse();
    remove_sound();
    remove_keyboard();
    allegro_exit();
}

int main(int argc, char** argv) {
    (void)argc;
    (void)argv;
    if (!inicia()) {
        finaliza();
        return -1;
    }
    // Every picture is tried before the menu opens, so a missing or broken
    // file is named at once instead of failing in the middle of a game.
    if (const char* invalida = imagens::primeiraImagemInvalida()) {
        set_gfx_mode(GFX_TEXT, 0, 0, 0, 0);
        avisar(imagens::mensagemImagemInvalida(invalida, pastaAtual()));
        finaliza();
        return -1;
    }
    principal();
    finaliza();
    return 0;
}
END_OF_MAIN()
