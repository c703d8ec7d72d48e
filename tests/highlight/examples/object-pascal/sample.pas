{ Zefra sample unit }
unit Sample;

interface

uses SysUtils; // the usual

type
  TThing = class(TObject)
  private
    FCount: Integer;
  public
    property Count: Integer
      read FCount write FCount default 0;
    procedure Go; stdcall; overload;
  end;

exports
  Go name 'Go' index 3;

implementation

{$R *.dfm}
{ a brace comment
  over lines }
(* an ansi comment
   over lines *)

procedure TThing.Go;
const
  Crlf = #13#10; Mask = $FF; Big = 1.5e-3; S = 'it''s'; R = 1..10;
begin
  if (FCount <> 0) and (FCount >= 2) then FCount := FCount - 1 else Exit;
  asm
    mov eax, 1   { note
    } mov ebx, $10  (* also
    *) {$R+}
  end;
  @@label: café | 'open
end;

end.
