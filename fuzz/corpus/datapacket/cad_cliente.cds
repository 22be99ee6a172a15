<?xml version="1.0" standalone="yes"?>
<DATAPACKET Version="2.0">
<METADATA>
<FIELDS>
<FIELD attrname="CDCLIENTE" fieldtype="string" WIDTH="15"/>
<FIELD attrname="NMRAZSOCCLIE" fieldtype="string" WIDTH="60"/>
<FIELD attrname="NMFANTCLIE" fieldtype="string" WIDTH="60"/>
<FIELD attrname="NRINSJURCLIE" fieldtype="string" WIDTH="18"/>
<FIELD attrname="IDTPPESSOACLIE" fieldtype="string" WIDTH="1"/>
<FIELD attrname="IDSITCLIENTE" fieldtype="string" WIDTH="1"/>
</FIELDS>
<PARAMS/>
</METADATA>
<ROWDATA>
<ROW CDCLIENTE="000001" NMRAZSOCCLIE="Consumidor Final" NMFANTCLIE="Consumidor Final" NRINSJURCLIE="" IDTPPESSOACLIE="F" IDSITCLIENTE="A"/>
<ROW CDCLIENTE="000002" NMRAZSOCCLIE="Empresa Parceira Ltda" NMFANTCLIE="Parceira" NRINSJURCLIE="11222333000181" IDTPPESSOACLIE="J" IDSITCLIENTE="A"/>
</ROWDATA>
</DATAPACKET>
