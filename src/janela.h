#ifndef JANELA_H
#define JANELA_H

// The window's close button. The library reports a click from its own thread;
// every waiting loop of the game polls janelaFechada() and winds down, so the
// program ends through its normal shutdown wherever the player is.

// Asks the library to report clicks on the close button.
void instalarBotaoFechar();

// The close button's handler: remembers that the player closed the window.
void fecharJanela();

// True once the player has closed the window.
bool janelaFechada();

#endif
