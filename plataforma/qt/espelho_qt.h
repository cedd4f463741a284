#pragma once
// O espelho das janelas no Qt: uma janela Qt por formulário, com uma superfície que pinta os
// rótulos, formas e linhas a partir dos twips guardados e encaminha o mouse; botões, menus e
// temporizadores de verdade; cursores a partir do código do ponteiro.

#include <QFont>
#include <QMargins>
#include <QPointer>
#include <QRectF>
#include <QWidget>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "plataforma/formularios.h"

class QMenuBar;
class QTimer;
class QAbstractButton;

namespace orvel {

class janela_qt;

class espelho_qt : public observador_de_formularios {
public:
    espelho_qt();
    ~espelho_qt() override;

    void ao_mostrar(formulario& f) override;
    void ao_trazer_para_a_frente(formulario& f) override;
    void ao_esconder(formulario& f) override;
    void ao_descarregar(formulario& f) override;
    void ao_mudar() override;
    void mostrar_menu_suspenso(formulario& f, item_de_menu& menu) override;
    void executar_modal(formulario& f) override;
    std::pair<Single, Single> medir_texto(const std::string& texto, const std::string& fonte, Single tamanho,
                                          bool negrito) override;
    std::pair<Single, Single> area_interna(const formulario& f) override;

    // A janela Qt de um formulário (nullptr se ainda não foi mostrado).
    janela_qt* janela_de(const formulario& f) const;
    // Atualiza já todas as janelas a partir dos dados.
    void sincronizar();

    void ao_mudar_o_foco(controle_com_foco& c) override;
    void ao_navegar(navegador& n) override;

    // A fonte de tela com que o espelho mostra um texto na fonte e no tamanho (pontos) do projeto.
    static QFont fonte_de_tela(const std::string& nome, Single tamanho, bool negrito);
    // A fonte com que a legenda de um rótulo aparece inteira no seu retângulo.
    static QFont fonte_de_tela(const rotulo& r);
    // Onde a legenda de um rótulo aparece, em pixels da superfície da janela.
    static QRectF area_da_legenda(const rotulo& r);

    // Lê da tela do Qt o tamanho e os twips por pixel.
    static void ler_a_tela();

    // Converte o arquivo de projeto do navegador do relatório no HTML que ele mostra; nullopt
    // quando não há o que mostrar (o navegador fica vazio). O programa instala o conversor.
    static std::function<std::optional<std::string>(const std::string& caminho)>& conversor_para_html();

private:
    // A janela Qt da janela principal do programa, se ela está na tela.
    janela_qt* janela_principal_na_tela() const;

    std::map<const formulario*, QPointer<janela_qt>> janelas_;
    bool sincronizacao_pendente_ = false;
};

// A janela Qt de um formulário.
class janela_qt : public QWidget {
public:
    janela_qt(formulario& f, espelho_qt& espelho);
    ~janela_qt() override;

    formulario& dados() { return f_; }
    QWidget* widget_de(controle* c) const;
    void mostrar_endereco(navegador& n);
    QWidget* superficie() const { return superficie_; }
    void sincronizar();
    void esquecer() { esquecido_ = true; }
    // Põe a moldura da janela (barra de título e bordas incluídas) em Left e Top dos dados, com
    // Width e Height da moldura ou, numa janela medida pelo interior, do interior.
    void aplicar_geometria();
    // Mostra a janela, que aparece uma vez só: já modal ou não, já acima da dona (nullptr:
    // nenhuma) e já no lugar dos dados. Depois, quando a tela diz onde pôs a moldura, a janela
    // é acomodada no lugar dos dados.
    void mostrar(bool modal, janela_qt* dona);
    void esconder();

protected:
    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    bool eventFilter(QObject* alvo, QEvent* e) override;

private:
    void montar_menus();
    void sincronizar_widgets();
    QWidget* criar_widget(controle* c);
    void ordenar_tabulacao();
    void sincronizar_menus();
    void sincronizar_temporizadores();
    QMargins margens_da_moldura() const;
    QPoint canto_dos_dados() const;
    QSize interior_dos_dados(const QMargins& m) const;
    // A tela mudou a moldura (ela apareceu ou mudou de margens): a geometria volta a ser a dos
    // dados. Devolve false quando foi o usuário que moveu ou redimensionou a janela.
    bool moldura_mudou();
    // Enquanto a janela se acomoda depois de aparecer: com a moldura já posta pela tela, leva a
    // moldura ao canto dos dados; termina quando ela está lá.
    void acomodar();

    formulario& f_;
    espelho_qt& espelho_;
    QWidget* superficie_ = nullptr;
    QMenuBar* barra_ = nullptr;
    std::map<controle*, QPointer<QWidget>> widgets_;
    std::map<QObject*, controle*> controle_do_widget_;
    bool sincronizando_ = false;
    std::map<item_de_menu*, QAction*> acoes_;
    std::map<temporizador*, QPointer<QTimer>> temporizadores_;
    bool esquecido_ = false;
    bool aplicando_geometria_ = false;
    QMargins margens_aplicadas_;
    QPoint canto_aplicado_{-1000000, -1000000};
    bool acomodando_ = false;
    bool exposta_ = false;  // exposta desde que apareceu desta vez
    bool filtrando_a_janela_ = false;
    QTimer* acomodacao_ = nullptr;
    std::chrono::steady_clock::time_point fim_da_acomodacao_;
};

}  // namespace orvel
