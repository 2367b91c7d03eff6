{ A second writer of our tables, Free Pascal's TDbf, driven by the tests:
    tdbf_writer create TABLE LANG         a new 5-tag table with a memo, its
                                          language driver byte LANG
    tdbf_writer append TABLE COUNT FIRST  appends COUNT records, numbered from
                                          FIRST, through the production index
    tdbf_writer walk TABLE                for every tag: "T <tag> <record>..."
                                          in the tag's order
  Texts mix case and accents (Windows-1252). A table whose language TDbf
  cannot sort by is handled in byte order instead of being opened read-only.
  Exits with 1 and the exception's text on any fault. }
program tdbf_writer;
{$mode objfpc}{$H+}
uses SysUtils, Classes, db, dbf, dbf_idxfile;

type
  TBinaryFallback = class
    procedure LocaleError(var Error: TLocaleError; var Solution: TLocaleSolution);
  end;

procedure TBinaryFallback.LocaleError(var Error: TLocaleError; var Solution: TLocaleSolution);
begin
  Solution := lsBinary;
end;

const
  Stems: array[0..11] of string = (#$E1'lvaro', #$C1'lvaro', 'alvaro', 'Alvaro', 'zo'#$EB,
    'Zoe', #$E9'mile', 'Emile', #$E7'ava', 'Cava', #$F1'andu', 'Nandu');

var
  Fallback: TBinaryFallback;

function OpenTable(const Path: string): TDbf;
begin
  Result := TDbf.Create(nil);
  Result.OnLocaleError := @Fallback.LocaleError;
  Result.FilePathFull := ExtractFilePath(ExpandFileName(Path));
  Result.TableName := ExtractFileName(Path);
end;

procedure CreateTable(const Path: string; Lang: Integer);
var t: TDbf;
begin
  t := OpenTable(Path);
  t.TableLevel := 4;
  t.LanguageID := Lang;
  t.FieldDefs.Add('NAME', ftString, 30);
  t.FieldDefs.Add('TITLE', ftString, 40);
  t.FieldDefs.Add('CITY', ftString, 20);
  t.FieldDefs.Add('NUM', ftInteger, 0);
  t.FieldDefs.Add('NOTE', ftMemo, 0);
  t.CreateTable;
  t.Open;
  t.AddIndex('NAME', 'NAME', []);
  t.AddIndex('TITLE', 'TITLE', []);
  t.AddIndex('CITY', 'CITY', []);
  t.AddIndex('NUM', 'NUM', []);
  t.AddIndex('NAMECITY', 'NAME+CITY', []);
  t.Close;
  t.Free;
end;

procedure SetText(t: TDbf; const Name, Value: string);
var f: TField;
begin
  f := t.FindField(Name);
  if f = nil then Exit;
  if f.DataType = ftString then f.AsString := Copy(Value, 1, f.Size) else f.AsString := Value;
end;

procedure AppendRecords(const Path: string; Count, First: Integer);
var t: TDbf; i, n: Integer; f: TField;
begin
  t := OpenTable(Path);
  t.Exclusive := True;
  t.Open;
  for i := 0 to Count - 1 do begin
    n := First + i;
    t.Append;
    SetText(t, 'NAME', Stems[n mod 12] + ' ' + IntToStr(n));
    SetText(t, 'TITLE', IntToStr(n * 7919 mod 1000) + ' ' + Stems[(n * 5) mod 12] + ' ' + IntToStr(n));
    SetText(t, 'CITY', Stems[(n * 7) mod 12] + IntToStr(n));
    f := t.FindField('NUM');
    if f <> nil then f.AsInteger := (n * 7919) mod 100003;
    SetText(t, 'NOTE', 'memo of ' + IntToStr(n) + ' ' + StringOfChar('x', n mod 600));
    t.Post;
  end;
  t.Close;
  t.Free;
end;

procedure WalkTags(const Path: string);
var t: TDbf; names: TStringList; i: Integer;
begin
  t := OpenTable(Path);
  t.ReadOnly := True;
  t.Open;
  names := TStringList.Create;
  t.GetIndexNames(names);
  for i := 0 to names.Count - 1 do begin
    t.IndexName := names[i];
    write('T ', names[i]);
    t.First;
    while not t.EOF do begin
      write(' ', t.PhysicalRecNo);
      t.Next;
    end;
    writeln;
  end;
  names.Free;
  t.Close;
  t.Free;
end;

begin
  Fallback := TBinaryFallback.Create;
  try
    if ParamStr(1) = 'create' then CreateTable(ParamStr(2), StrToInt(ParamStr(3)))
    else if ParamStr(1) = 'append' then
      AppendRecords(ParamStr(2), StrToInt(ParamStr(3)), StrToInt(ParamStr(4)))
    else if ParamStr(1) = 'walk' then WalkTags(ParamStr(2))
    else raise Exception.Create('unknown command ' + ParamStr(1));
  except
    on E: Exception do begin
      writeln(StdErr, E.ClassName, ': ', E.Message);
      Halt(1);
    end;
  end;
end.
