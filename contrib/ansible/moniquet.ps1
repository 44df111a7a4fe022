# Ansible custom fact for Windows hosts: this machine's monitors, as
# ansible_local.moniquet. Copy it into the folder given as the setup
# module's fact_path (for example C:\ansible\facts.d).

# Where Moniquet's zip was unpacked; moniquet-cli.exe on the PATH otherwise.
$MoniquetCli = 'C:\Program Files\Moniquet\moniquet-cli.exe'
if (-not (Test-Path -LiteralPath $MoniquetCli)) {
    $MoniquetCli = (Get-Command moniquet-cli.exe -ErrorAction Stop).Source
}

# moniquet-cli writes UTF-8; without this PowerShell would decode makers'
# and products' names in the console's code page.
[Console]::OutputEncoding = [System.Text.Encoding]::UTF8
$json = & $MoniquetCli list --json --facts
if ($LASTEXITCODE -ne 0) {
    throw "moniquet-cli list failed with status $LASTEXITCODE"
}
# An object, which the setup module turns into JSON again.
($json -join "`n") | ConvertFrom-Json
