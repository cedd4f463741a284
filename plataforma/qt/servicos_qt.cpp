#include "plataforma/qt/servicos_qt.h"

#include <QApplication>
#include <QCursor>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScreen>
#include <QSpacerItem>
#include <QTimer>
#include <QTranslator>
#include <QTreeView>
#include <algorithm>
#include <cstdlib>

#include "plataforma/falha.h"
#include "plataforma/formularios.h"
#include "plataforma/qt/cursores.h"
#include "plataforma/qt/espelho_qt.h"

namespace orvel {

namespace {
QString q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
std::string s(const QString& q) { return q.toUtf8().toStdString(); }

// Largura, em pixels, do que a barra de título de uma caixa de mensagem ocupa além do título: o
// ícone da janela, os botões de fechar, minimizar e maximizar e as margens.
constexpr int espaco_dos_botoes_do_titulo = 140;
}  // namespace

bool instalar_traducao_do_qt() {
    static QTranslator* instalada = nullptr;
    if (instalada != nullptr) return true;
    // Os controles do Qt em português (datas, tamanhos, tipos de arquivo). Os números do
    // programa não passam pelo QLocale: o separador decimal segue a regra do próprio programa.
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    auto* t = new QTranslator(QCoreApplication::instance());
    if (!t->load(QLocale(QLocale::Portuguese, QLocale::Brazil), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(t)) {
        delete t;
        return false;
    }
    instalada = t;
    return true;
}

std::string filtro_para_qt(const std::string& filtro) {
    // Pares descrição|padrão; o Qt só quer as descrições, que já trazem o padrão entre parênteses.
    std::string saida;
    std::size_t ini = 0;
    int campo = 0;
    while (ini <= filtro.size()) {
        std::size_t fim = filtro.find('|', ini);
        if (fim == std::string::npos) fim = filtro.size();
        if (campo % 2 == 0) {
            if (!saida.empty()) saida += ";;";
            saida += filtro.substr(ini, fim - ini);
        }
        ++campo;
        ini = fim + 1;
    }
    return saida;
}

servicos_qt::servicos_qt() = default;
servicos_qt::~servicos_qt() = default;

int servicos_qt::caixa_de_mensagem(const std::string& texto, int estilo, const std::string& titulo) {
    QMessageBox caixa(QApplication::activeWindow());
    caixa.setWindowTitle(q(titulo.empty() ? std::string("ORVEL") : titulo));
    caixa.setText(q(texto));
    const int icone = estilo & 0x70;
    caixa.setIcon(icone == icone_exclamacao ? QMessageBox::Warning
                  : icone == icone_pergunta ? QMessageBox::Question
                                            : QMessageBox::NoIcon);
    struct botao {
        const char* texto;
        int resposta;
        QMessageBox::ButtonRole papel;
    };
    std::vector<botao> botoes;
    switch (estilo & 7) {
        case estilo_ok_cancelar: botoes = {{"OK", resposta_ok, QMessageBox::AcceptRole}, {"Cancelar", resposta_cancelar, QMessageBox::RejectRole}}; break;
        case estilo_sim_nao_cancelar:
            botoes = {{"Sim", resposta_sim, QMessageBox::YesRole}, {"Não", resposta_nao, QMessageBox::NoRole}, {"Cancelar", resposta_cancelar, QMessageBox::RejectRole}};
            break;
        case estilo_sim_nao: botoes = {{"Sim", resposta_sim, QMessageBox::YesRole}, {"Não", resposta_nao, QMessageBox::NoRole}}; break;
        default: botoes = {{"OK", resposta_ok, QMessageBox::AcceptRole}}; break;
    }
    std::vector<std::pair<QAbstractButton*, int>> mapa;
    for (const auto& b : botoes) mapa.emplace_back(caixa.addButton(QString::fromUtf8(b.texto), b.papel), b.resposta);
    caixa.setDefaultButton(static_cast<QPushButton*>(mapa.front().first));
    // Sem botão de cancelar, fechar a caixa vale o último botão (Não ou OK).
    caixa.setEscapeButton(mapa.back().first);
    // A caixa não pode mudar o ponteiro que o programa pôs: o cursor normal só sobre ela.
    caixa.setCursor(Qt::ArrowCursor);
    // O título nunca sai cortado: a caixa fica larga bastante para ele, em negrito, ao lado do
    // ícone e dos botões da barra de título.
    if (auto* grade = qobject_cast<QGridLayout*>(caixa.layout())) {
        QFont negrito = caixa.font();
        negrito.setBold(true);
        const int largura = QFontMetrics(negrito).horizontalAdvance(caixa.windowTitle()) + espaco_dos_botoes_do_titulo;
        grade->addItem(new QSpacerItem(largura, 0, QSizePolicy::Fixed, QSizePolicy::Minimum), grade->rowCount(), 0, 1,
                       grade->columnCount());
    }
    caixa.exec();
    for (const auto& [b, r] : mapa)
        if (caixa.clickedButton() == b) return r;
    return mapa.back().second;
}

// A caixa fica aberta, sem modalidade, e a chamada volta já: o laço de eventos de quem chamou
// (as sondagens de um processamento) continua a rodar enquanto o usuário a lê.
void servicos_qt::aviso_sem_esperar(const std::string& texto, const std::string& titulo) {
    static QPointer<QMessageBox> aberta;
    if (aberta && aberta->isVisible() && aberta->text() == q(texto)) {
        aberta->raise();
        aberta->activateWindow();
        return;
    }
    auto* caixa = new QMessageBox(QApplication::activeWindow());
    caixa->setAttribute(Qt::WA_DeleteOnClose);
    caixa->setWindowModality(Qt::NonModal);
    caixa->setWindowTitle(q(titulo.empty() ? std::string("ORVEL") : titulo));
    caixa->setText(q(texto));
    caixa->setIcon(QMessageBox::NoIcon);
    QPushButton* ok = caixa->addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    caixa->setDefaultButton(ok);
    caixa->setEscapeButton(ok);
    caixa->setCursor(Qt::ArrowCursor);
    caixa->show();
    aberta = caixa;
}

void servicos_qt::definir_ponteiro_da_tela(int codigo) {
    ponteiro_ = codigo;
    if (cursor_sobreposto_) {
        QApplication::restoreOverrideCursor();
        cursor_sobreposto_ = false;
    }
    if (codigo != ponteiro_padrao) {
        QApplication::setOverrideCursor(cursor_do_codigo(codigo));
        cursor_sobreposto_ = true;
    }
}

void servicos_qt::processar_eventos_pendentes() { QApplication::processEvents(QEventLoop::AllEvents); }

// Termina já, sem destruir os objetos estáticos (as janelas ainda estão na pilha de quem
// chamou); os arquivos já foram gravados por quem pediu o fim.
void servicos_qt::encerrar_programa() {
    std::fflush(nullptr);
    std::_Exit(0);
}

namespace {

// O diálogo de arquivos na língua do programa: o Qt escreve o tamanho e a data dos arquivos pela
// língua do sistema (que aqui pode ser a C) e não traduz o tipo de uma pasta.
class colunas_em_portugues : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& i, int papel) const override {
        const auto* arquivos = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (arquivos == nullptr || papel != Qt::DisplayRole) return QIdentityProxyModel::data(i, papel);
        const QModelIndex o = mapToSource(i);
        const QLocale lingua;
        switch (i.column()) {
            case 1: return arquivos->isDir(o) ? QString() : lingua.formattedDataSize(arquivos->size(o));
            case 2:
                if (arquivos->isDir(o)) return QStringLiteral("Pasta");
                break;
            case 3: return lingua.toString(arquivos->lastModified(o), QLocale::ShortFormat);
            default: break;
        }
        return QIdentityProxyModel::data(i, papel);
    }
};

// Alarga o diálogo (até a largura da tela, sem sair dela) para que as colunas caibam na vista
// dos detalhes sem rolar.
void alargar_para_as_colunas(QFileDialog& dialogo, QTreeView& detalhes) {
    const int falta = detalhes.header()->length() - detalhes.viewport()->width();
    if (falta <= 0) return;
    const QScreen* s = dialogo.screen();
    const QRect area = s ? s->availableGeometry() : QRect();
    const int moldura = dialogo.frameGeometry().width() - dialogo.width();
    int largura = dialogo.width() + falta;
    if (area.isValid()) largura = std::min(largura, area.width() - moldura);
    if (largura <= dialogo.width()) return;
    dialogo.resize(largura, dialogo.height());
    if (area.isValid() && dialogo.frameGeometry().right() > area.right())
        dialogo.move(std::max(area.left(), area.right() + 1 - dialogo.frameGeometry().width()), dialogo.y());
}

// Roda o diálogo e devolve o arquivo escolhido. Cada coluna, o nome também, fica larga bastante
// para o que mostra, e o diálogo se alarga para mostrá-las.
std::optional<std::string> escolher_arquivo(QFileDialog& dialogo) {
    dialogo.setProxyModel(new colunas_em_portugues(&dialogo));
    if (auto* detalhes = dialogo.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        QHeaderView* cabecalho = detalhes->header();
        cabecalho->setStretchLastSection(false);
        cabecalho->setSectionResizeMode(QHeaderView::ResizeToContents);
        // As larguras mudam quando a pasta termina de ser lida (e a cada pasta aberta).
        QObject::connect(cabecalho, &QHeaderView::sectionResized, &dialogo, [&dialogo, detalhes] {
            QTimer::singleShot(0, &dialogo, [&dialogo, detalhes] { alargar_para_as_colunas(dialogo, *detalhes); });
        });
    }
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty()) return std::nullopt;
    const QString r = dialogo.selectedFiles().constFirst();
    if (r.isEmpty()) return std::nullopt;
    return s(r);
}

}  // namespace

std::optional<std::string> servicos_qt::dialogo_abrir(const parametros_do_dialogo& p) {
    QFileDialog dialogo(QApplication::activeWindow(), q(p.titulo), q(p.pasta_inicial), q(filtro_para_qt(p.filtro)));
    dialogo.setAcceptMode(QFileDialog::AcceptOpen);
    dialogo.setFileMode(QFileDialog::ExistingFile);
    return escolher_arquivo(dialogo);
}

std::optional<std::string> servicos_qt::dialogo_salvar(const parametros_do_dialogo& p) {
    QString inicial = q(p.pasta_inicial);
    if (!p.nome_proposto.empty()) inicial += "/" + q(p.nome_proposto);
    QFileDialog dialogo(QApplication::activeWindow(), q(p.titulo), inicial, q(filtro_para_qt(p.filtro)));
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    dialogo.setFileMode(QFileDialog::AnyFile);
    // O próprio programa pergunta antes de substituir um arquivo existente.
    dialogo.setOption(QFileDialog::DontConfirmOverwrite);
    return escolher_arquivo(dialogo);
}

std::string servicos_qt::pasta_do_programa() { return s(QCoreApplication::applicationDirPath()); }

}  // namespace orvel

namespace orvel {

QPrinter& servicos_qt::impressora() {
    if (!impressora_) impressora_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *impressora_;
}

void servicos_qt::configurar_impressora(const std::string& titulo, int orientacao) {
    QPrinter& p = impressora();
    if (orientacao == orientacao_retrato) p.setPageOrientation(QPageLayout::Portrait);
    else if (orientacao == orientacao_paisagem) p.setPageOrientation(QPageLayout::Landscape);
    QPageSetupDialog dialogo(&p, QApplication::activeWindow());
    if (!titulo.empty()) dialogo.setWindowTitle(q(titulo));
    // Aceitar grava as escolhas na impressora; cancelar não muda nada.
    dialogo.exec();
}

void servicos_qt::imprimir_janela(formulario& janela) {
    auto* espelho = dynamic_cast<espelho_qt*>(&observador());
    janela_qt* j = espelho ? espelho->janela_de(janela) : nullptr;
    if (j == nullptr || !janela.Visible) return;  // nada na tela, nada a imprimir
    espelho->sincronizar();
    // A área da janela (sem a barra de menus), com os botões como estão.
    const QPixmap imagem = j->superficie()->grab();
    QPrinter& p = impressora();
    QPainter pintor;
    if (imagem.isNull() || !pintor.begin(&p)) {
        // Sem impressora nenhuma na máquina (nem um arquivo pedido em seu lugar), a mensagem diz
        // por quê.
        const bool sem_impressora = p.outputFileName().isEmpty() && QPrinterInfo::availablePrinters().isEmpty();
        falhar(tipo_de_falha::generica,
               sem_impressora ? "Não foi possível imprimir: nenhuma impressora instalada" : "Não foi possível imprimir");
    }
    // No tamanho da tela, reduzida só quando não cabe na página.
    const QRect pagina = pintor.viewport();
    const double x_por_pixel = p.logicalDpiX() / static_cast<double>(j->logicalDpiX());
    const double y_por_pixel = p.logicalDpiY() / static_cast<double>(j->logicalDpiY());
    double escala_x = x_por_pixel, escala_y = y_por_pixel;
    const QSizeF tamanho = imagem.deviceIndependentSize();
    const double largura = tamanho.width() * escala_x, altura = tamanho.height() * escala_y;
    const double reducao = std::min({1.0, pagina.width() / largura, pagina.height() / altura});
    escala_x *= reducao;
    escala_y *= reducao;
    pintor.drawPixmap(QRectF(0, 0, tamanho.width() * escala_x, tamanho.height() * escala_y), imagem,
                      QRectF(imagem.rect()));
    if (!pintor.end()) falhar(tipo_de_falha::generica, "Não foi possível imprimir");
}

}  // namespace orvel
