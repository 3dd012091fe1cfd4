#pragma once
// The footer strip under the cells that stays put while the rows scroll. Call flow: the grid
// owns a TFloatingFooter (its settings, the grid's `FloatingFooter`) and a TFooterPanel, a
// child widget at its bottom for which the grid keeps a viewport margin of the panel's height.
// The settings' writers resize and repaint the panel and set the grid's footer-row count; the
// panel paints by FooterStyle (the grid's last row, a preview of one cell of the current row,
// a markup template filled from the current row, or an event) and hands clicks and hints to
// the grid's cell events with the last row as the row. The footer calculation
// (input/GridInput/footer.cpp) reads the settings.

#include "grid/BaseGrid.h"

#include <QWidget>

#include <functional>

namespace grid {

class TQvStringGrid;
class TFooterPanel;

enum TFooterStyle { fsFixedLastRow, fsColumnPreview, fsCustomPreview, fsCustomPaint };

class TFloatingFooter {
public:
    explicit TFloatingFooter(TQvStringGrid* AGrid) : FGrid(AGrid) {}
    // Only the shown settings travel: the height, the border line, the calculation switch and
    // the event stay with this footer.
    void Assign(const TFloatingFooter& Source);

    int Height() const { return FHeight; }
    void SetHeight(int v);
    bool Visible() const { return FVisible; }
    void SetVisible(bool v);
    // The colour schemes write the footer colour into the grid's look; this is that value.
    TColor Color() const;
    void SetColor(TColor v);
    TFooterStyle FooterStyle() const { return FFooterStyle; }
    void SetFooterStyle(TFooterStyle v);
    int Column() const { return FColumn; }
    void SetColumn(int v);
    QString CustomTemplate() const { return FCustomTemplate; }
    void SetCustomTemplate(const QString& v);
    bool CalculateHiddenRows() const { return FCalculateHiddenRows; }
    void SetCalculateHiddenRows(bool v) { FCalculateHiddenRows = v; }
    bool EnableCalculation() const { return FEnableCalculation; }
    void SetEnableCalculation(bool v) { FEnableCalculation = v; }
    // Without it the panel's hint events are answered with no hint.
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool v) { FShowHint = v; }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor v);

    // The calculation kind of column ACol's cell in the last row.
    TColumnCalcType GetColumnCalc(int ACol) const;
    void SetColumnCalc(int ACol, TColumnCalcType Value);
    void Invalidate();

    std::function<void(TQvStringGrid*, int ACol, int ARow, QString& Value)> OnCalcFooter;

private:
    void applyToGrid();
    TQvStringGrid* FGrid;
    int FHeight = 0;
    bool FVisible = false;
    TFooterStyle FFooterStyle = fsFixedLastRow;
    int FColumn = 0;
    QString FCustomTemplate;
    bool FCalculateHiddenRows = true;
    bool FEnableCalculation = true;
    bool FShowHint = false;
    TColor FBorderColor = clNone;
};

// "<#n>" placeholders filled with the display text of column n in ARow; a placeholder that is
// no number is dropped, and an unclosed "<#" ends the scan with the rest kept as it stands.
QString FillFooterTemplate(const QString& Template, const std::function<QString(int ACol)>& cellText);

class TFooterPanel : public QWidget {
    Q_OBJECT
public:
    TFooterPanel(TQvStringGrid* AGrid, QWidget* parent);
    // The column under x (fixed columns, then the scrolled ones from the left column), -1 none.
    int ColumnAt(int x) const;
    // Sum of the fixed columns' widths and of the columns from the left column to the last.
    int PaintedWidth() const;
    int LastHintX() const { return FLastHintX; }
    // First showing of the grid: the panel takes its height and OnCreatedFloatingFooter fires.
    void CreateWnd();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    bool event(QEvent* e) override;

private:
    int paintFixedLastRow(QPainter& p);
    int paintPreview(QPainter& p, bool custom);
    TRect footerArea() const;
    TQvStringGrid* FGrid;
    int FLastHintX = -1;
    bool FCreated = false;
};

} // namespace grid
