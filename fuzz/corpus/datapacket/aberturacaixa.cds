<?xml version="1.0" standalone="yes"?>
<DATAPACKET Version="2.0">
<METADATA>
<FIELDS>
<FIELD attrname="CDFILIAL" fieldtype="string" WIDTH="4"/>
<FIELD attrname="CDLOJA" fieldtype="string" WIDTH="4"/>
<FIELD attrname="CDCAIXA" fieldtype="string" WIDTH="4"/>
<FIELD attrname="DTABERCAIXA" fieldtype="dateTime"/>
<FIELD attrname="CDOPERADOR" fieldtype="string" WIDTH="12"/>
<FIELD attrname="NMOPERADOR" fieldtype="string" WIDTH="60"/>
<FIELD attrname="VRABERCAIXA" fieldtype="r8"/>
<FIELD attrname="CDATIVACAOSAT" fieldtype="string" WIDTH="255"/>
</FIELDS>
<PARAMS/>
</METADATA>
<ROWDATA>
<ROW CDFILIAL="0001" CDLOJA="0001" CDCAIXA="001" DTABERCAIXA="20261208T05:18:00000" CDOPERADOR="0001" NMOPERADOR="Ana Lima" VRABERCAIXA="200" CDATIVACAOSAT="K1:aIyJ0D3uBrA5bgY1/xzsLTfEhGE3dPdBhIN/pdAPsEOCDe/OlBEnzIo="/>
</ROWDATA>
</DATAPACKET>
