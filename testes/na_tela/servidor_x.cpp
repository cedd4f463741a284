#include "na_tela/servidor_x.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

namespace orvel::teste {

namespace {

using relogio = std::chrono::steady_clock;

// Roda um programa num processo filho, com a saída descartada; `fd_herdado` (quando >= 0) fica
// aberto no filho com o número `numero_no_filho`. O filho morre junto com o teste.
pid_t rodar(const std::vector<std::string>& argumentos, const std::string& display, int fd_herdado = -1,
            int numero_no_filho = -1) {
    const pid_t pai = getpid();
    const pid_t pid = fork();
    if (pid != 0) return pid;
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != pai) _exit(127);
    const int nulo = open("/dev/null", O_RDWR);
    if (nulo >= 0) {
        dup2(nulo, STDIN_FILENO);
        dup2(nulo, STDOUT_FILENO);
        dup2(nulo, STDERR_FILENO);
    }
    if (fd_herdado >= 0) dup2(fd_herdado, numero_no_filho);
    if (!display.empty()) setenv("DISPLAY", display.c_str(), 1);
    std::vector<char*> argv;
    for (const std::string& a : argumentos) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
}

bool terminou(pid_t pid) {
    int estado = 0;
    return waitpid(pid, &estado, WNOHANG) == pid;
}

void encerrar(pid_t& pid) {
    if (pid <= 0) return;
    kill(pid, SIGTERM);
    const auto limite = relogio::now() + std::chrono::seconds(3);
    while (!terminou(pid)) {
        if (relogio::now() > limite) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    pid = -1;
}

// O gerenciador de janelas está de pé quando a janela raiz anuncia quem ele é.
bool gerenciador_pronto(const std::string& display) {
    xcb_connection_t* c = xcb_connect(display.c_str(), nullptr);
    bool pronto = false;
    if (!xcb_connection_has_error(c)) {
        const char nome[] = "_NET_SUPPORTING_WM_CHECK";
        xcb_intern_atom_reply_t* atomo =
            xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, static_cast<uint16_t>(std::strlen(nome)), nome), nullptr);
        if (atomo && atomo->atom != XCB_ATOM_NONE) {
            const xcb_window_t raiz = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
            xcb_get_property_reply_t* p =
                xcb_get_property_reply(c, xcb_get_property(c, 0, raiz, atomo->atom, XCB_ATOM_WINDOW, 0, 1), nullptr);
            pronto = p && xcb_get_property_value_length(p) > 0;
            std::free(p);
        }
        std::free(atomo);
    }
    xcb_disconnect(c);
    return pronto;
}

// O gerenciador já cuida das janelas quando uma janela de prova mapeada ganha a moldura dele
// (passa a ser filha de outra janela que não a raiz) em pouco tempo; o anúncio na raiz vem
// antes disso.
bool prova_ganha_moldura(const std::string& display) {
    xcb_connection_t* c = xcb_connect(display.c_str(), nullptr);
    bool cuida = false;
    if (!xcb_connection_has_error(c)) {
        const xcb_screen_t* tela = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
        const xcb_window_t prova = xcb_generate_id(c);
        xcb_create_window(c, XCB_COPY_FROM_PARENT, prova, tela->root, 0, 0, 10, 10, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                          tela->root_visual, 0, nullptr);
        xcb_map_window(c, prova);
        xcb_flush(c);
        const auto limite = relogio::now() + std::chrono::seconds(2);
        while (!cuida && relogio::now() < limite) {
            if (auto* arvore = xcb_query_tree_reply(c, xcb_query_tree(c, prova), nullptr)) {
                cuida = arvore->parent != tela->root;
                std::free(arvore);
            }
            if (!cuida) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        xcb_destroy_window(c, prova);
        xcb_flush(c);
    }
    xcb_disconnect(c);
    return cuida;
}

bool gerenciador_cuida_das_janelas(const std::string& display) {
    for (int tentativa = 0; tentativa < 8; ++tentativa)
        if (prova_ganha_moldura(display)) return true;
    return false;
}

}  // namespace

bool servidor_x::iniciar(int largura, int altura) {
    int canal[2];
    if (pipe2(canal, O_CLOEXEC) != 0) {
        erro_ = "não foi possível criar o canal com o Xvfb";
        return false;
    }
    // O Xvfb escolhe uma tela livre e escreve o seu número no descritor dado.
    constexpr int descritor_no_filho = 9;
    servidor_ = rodar({"Xvfb", "-displayfd", std::to_string(descritor_no_filho), "-screen", "0",
                       std::to_string(largura) + "x" + std::to_string(altura) + "x24", "-dpi", "96", "-nolisten", "tcp",
                       "-noreset"},
                      "", canal[1], descritor_no_filho);
    close(canal[1]);
    std::string numero;
    const auto limite = relogio::now() + std::chrono::seconds(15);
    while (relogio::now() < limite && numero.find('\n') == std::string::npos) {
        pollfd p{canal[0], POLLIN, 0};
        if (poll(&p, 1, 100) <= 0) {
            if (terminou(servidor_)) break;
            continue;
        }
        char b[16];
        const ssize_t n = read(canal[0], b, sizeof b);
        if (n <= 0) break;
        numero.append(b, static_cast<std::size_t>(n));
    }
    close(canal[0]);
    if (numero.find('\n') == std::string::npos) {
        erro_ = "o Xvfb não iniciou (instalado por scripts/dependencias?)";
        encerrar(servidor_);
        return false;
    }
    numero.erase(numero.find('\n'));
    tela_ = ":" + numero;

    gerenciador_ = rodar({"openbox", "--sm-disable"}, tela_);
    const auto limite_do_gerenciador = relogio::now() + std::chrono::seconds(15);
    while (!gerenciador_pronto(tela_)) {
        const bool morreu = terminou(gerenciador_);
        if (morreu || relogio::now() > limite_do_gerenciador) {
            erro_ = "o openbox não iniciou na tela " + tela_ + " (instalado por scripts/dependencias?)";
            if (morreu) gerenciador_ = -1;
            parar();
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (!gerenciador_cuida_das_janelas(tela_)) {
        erro_ = "o openbox não pôs moldura numa janela na tela " + tela_;
        parar();
        return false;
    }
    return true;
}

void servidor_x::parar() {
    encerrar(gerenciador_);
    encerrar(servidor_);
}

}  // namespace orvel::teste
