#pragma once

#include <QLabel>
#include <string>

namespace velantro {

// A readout box inside a chart: white, single-line border, as large as its
// caption. The caption keeps its CR LF; only the screen shows a plain break.
class ReadoutLabel : public QLabel {
    Q_OBJECT

public:
    explicit ReadoutLabel(QWidget* chart);

    void SetCaption(const std::string& caption);
    const std::string& Caption() const;

private:
    std::string caption_;
};

} // namespace velantro
