<?xml version="1.0" standalone="yes"?>
<DATAPACKET Version="2.0">
<METADATA>
<FIELDS>
<FIELD attrname="CDFILIAL" fieldtype="string" WIDTH="4"/>
<FIELD attrname="CDCAIXA" fieldtype="string" WIDTH="4"/>
<FIELD attrname="NRSERIEIMP" fieldtype="string" WIDTH="30"/>
<FIELD attrname="DSMARCAECFVE" fieldtype="string" WIDTH="30"/>
<FIELD attrname="DSMODELOECFVE" fieldtype="string" WIDTH="30"/>
<FIELD attrname="NRECFCUPOMVE" fieldtype="string" WIDTH="10"/>
<FIELD attrname="CDPORTAIMPFIS" fieldtype="string" WIDTH="20"/>
<FIELD attrname="IDTIPOIMPFIS" fieldtype="i4"/>
</FIELDS>
<PARAMS/>
</METADATA>
<ROWDATA>
<ROW CDFILIAL="0001" CDCAIXA="001" NRSERIEIMP="SIM0000001" DSMARCAECFVE="SIMULADA" DSMODELOECFVE="IMPRESSORA SIMULADA" NRECFCUPOMVE="001" CDPORTAIMPFIS="" IDTIPOIMPFIS="0"/>
</ROWDATA>
</DATAPACKET>
