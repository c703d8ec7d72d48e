object MainForm: TMainForm
  Left = 192
  Caption = 'Zefra'#13#10'Editor'
  Color = $00FFE0C0
  Font.Height = -11.5
  { a comment
    over two lines } Visible = True
  Items.Strings = (
    'one'
    'it''s open
  )
  inherited Panel1: TPanel
    Tag = 1..2 €
  END
  object Label1: TLabel {x}
  end
end
