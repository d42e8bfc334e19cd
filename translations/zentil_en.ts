<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ko_KR">
<context>
    <name>CoreText</name>
    <message>
        <source>오류</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>알림</source>
        <translation>Notice</translation>
    </message>
    <message>
        <source>상위 컬러모드에서 하위 컬러모드로는 복사할 수 없습니다. (단, 24비트 -&gt; 16비트 복사는 예외)</source>
        <translation>Cannot copy from a higher colour mode into a lower one. (Except 24-bit into 16-bit.)</translation>
    </message>
    <message>
        <source>가로 타일 수는 0보다 커야 합니다.</source>
        <translation>The number of tiles across must be more than 0.</translation>
    </message>
    <message>
        <source>이미지를 생성할 수 없습니다.</source>
        <translation>Cannot create the image.</translation>
    </message>
    <message>
        <source>총 읽어들일 수 있는 파일 수를 초과했습니다.</source>
        <translation>Too many files: the list cannot hold any more.</translation>
    </message>
    <message>
        <source>기존의 파일을 덮어쓰시겠습니까?</source>
        <translation>The file already exists. Replace it?</translation>
    </message>
    <message>
        <source>Config 파일을 저장할 수 없습니다.</source>
        <translation>Cannot save the Config file.</translation>
    </message>
    <message>
        <source>파일을 읽는데 실패했습니다.</source>
        <translation>Failed to read the file.</translation>
    </message>
    <message>
        <source>색상 범위가 255보다 큽니다.</source>
        <translation>The colour is out of range (more than 255).</translation>
    </message>
    <message>
        <source>색상 범위가 32767보다 큽니다.</source>
        <translation>The colour is out of range (more than 32767).</translation>
    </message>
    <message>
        <source>색상 범위가 16777215보다 큽니다.</source>
        <translation>The colour is out of range (more than 16777215).</translation>
    </message>
    <message>
        <source>TGA 파일을 열 수 없습니다.</source>
        <translation>Cannot open the TGA file.</translation>
    </message>
    <message>
        <source>TGA 파일이 아닙니다.</source>
        <translation>This is not a TGA file.</translation>
    </message>
    <message>
        <source>8Bit TGA 파일만 불러올 수 있습니다.</source>
        <translation>Only 8-bit TGA files can be opened.</translation>
    </message>
    <message>
        <source>지원하지 않는 TGA파일입니다. (%d)</source>
        <translation>Unsupported TGA file. (%d)</translation>
    </message>
    <message>
        <source>TGA 파일 형식이 맞지 않습니다.</source>
        <translation>The TGA file is of a type that cannot be read.</translation>
    </message>
    <message>
        <source>TGA 파일을 저장할 수 없습니다.</source>
        <translation>Cannot save the TGA file.</translation>
    </message>
    <message>
        <source>GPF 파일을 열 수 없습니다.</source>
        <translation>Cannot open the GPF file.</translation>
    </message>
    <message>
        <source>GPF 파일이 아닙니다.</source>
        <translation>This is not a GPF file.</translation>
    </message>
    <message>
        <source>GPF 파일이 손상되었습니다.</source>
        <translation>The GPF file is damaged.</translation>
    </message>
    <message>
        <source>8비트 이미지만 GPF 파일로 저장할 수 있습니다.</source>
        <translation>Only 8-bit images can be saved as GPF files.</translation>
    </message>
    <message>
        <source>타일이 너무 커서 GPF 파일로 저장할 수 없습니다.</source>
        <translation>The tiles are too large to save as a GPF file.</translation>
    </message>
    <message>
        <source>GPF 파일을 저장할 수 없습니다.</source>
        <translation>Cannot save the GPF file.</translation>
    </message>
    <message>
        <source>저장할 팔레트가 없는 이미지 포맷입니다.</source>
        <translation>This image format has no palette to save.</translation>
    </message>
    <message>
        <source>팔레트 파일을 저장할 수 없습니다.</source>
        <translation>Cannot save the palette file.</translation>
    </message>
    <message>
        <source>팔레트 파일을 읽을 수 없습니다.</source>
        <translation>Cannot read the palette file.</translation>
    </message>
    <message>
        <source>PNG 파일을 읽을 수 없습니다.</source>
        <translation>Cannot read the PNG file.</translation>
    </message>
    <message>
        <source>PNG 파일을 읽을 수 없습니다. (%s)</source>
        <translation>Cannot read the PNG file. (%s)</translation>
    </message>
    <message>
        <source>빈 파일</source>
        <translation>empty file</translation>
    </message>
    <message>
        <source>PNG 파일이 아님</source>
        <translation>not a PNG file</translation>
    </message>
    <message>
        <source>파일이 잘림</source>
        <translation>file cut short</translation>
    </message>
    <message>
        <source>파일 손상</source>
        <translation>file damaged</translation>
    </message>
    <message>
        <source>256색 이하의 PNG 파일만 불러올 수 있습니다.</source>
        <translation>Only PNG files of 256 colours or fewer can be opened.</translation>
    </message>
    <message>
        <source>PNG 파일을 저장할 수 없습니다.</source>
        <translation>Cannot save the PNG file.</translation>
    </message>
    <message>
        <source>작업 파일을 읽을 수 없습니다.</source>
        <translation>Cannot read the work file.</translation>
    </message>
    <message>
        <source>작업 파일을 저장할 수 없습니다.</source>
        <translation>Cannot save the work file.</translation>
    </message>
    <message>
        <source>그림 크기가 서로 일치하지 않습니다.</source>
        <translation>The images are not all the same size.</translation>
    </message>
    <message>
        <source>다른 색상모드의 그림이 있습니다.</source>
        <translation>Some images are in a different colour mode.</translation>
    </message>
    <message>
        <source>모든 스프라이트 작업 페이지를 삭제하시겠습니까?</source>
        <translation>Delete all sprite pages?</translation>
    </message>
    <message>
        <source>모든 TGA 페이지를 삭제하시겠습니까?</source>
        <translation>Delete all TGA pages?</translation>
    </message>
    <message>
        <source>파일을 저장할 수 없습니다.</source>
        <translation>Cannot save the file.</translation>
    </message>
    <message>
        <source>저장하지 않은 변경 사항이 있습니다. 종료하시겠습니까?</source>
        <translation>There are unsaved changes. Quit anyway?</translation>
    </message>
    <message>
        <source>저장하지 않은 변경 사항이 있습니다. 작업 파일을 여시겠습니까?</source>
        <translation>There are unsaved changes. Open the work file anyway?</translation>
    </message>
    <message>
        <source>파일이 바뀌어 다시 불러왔습니다.</source>
        <translation>the file changed and was read again.</translation>
    </message>
    <message>
        <source>파일이 바뀌었지만 읽을 수 없습니다.</source>
        <translation>the file changed but cannot be read.</translation>
    </message>
    <message>
        <source>배율 %d%%</source>
        <translation>Zoom %d%%</translation>
    </message>
    <message>
        <source>GPF %s 바이트</source>
        <translation>GPF %s bytes</translation>
    </message>
    <message>
        <source> · 타일 %d: %s 바이트</source>
        <translation> · tile %d: %s bytes</translation>
    </message>
    <message>
        <source>GPF: %s</source>
        <translation>GPF: %s</translation>
    </message>
    <message>
        <source>팔레트 없음(검게 보임) → &apos;팔레트 적용&apos;</source>
        <translation>No palette (shows black) → &apos;Apply Palette&apos;</translation>
    </message>
    <message>
        <source>팔레트 파일을 아직 불러오지 않아 스프라이트 페이지의 색이 모두 검은색입니다. 도구 모음의 &apos;팔레트 적용&apos;으로 팔레트 파일을 불러오면 제 색으로 보입니다.</source>
        <translation>No palette file has been loaded yet, so every colour of the sprite pages is black. Load a palette file with &apos;Apply Palette&apos; on the toolbar to see their real colours.</translation>
    </message>
    <message>
        <source>TGA 파일</source>
        <translation>TGA file</translation>
    </message>
    <message>
        <source>GPF 파일</source>
        <translation>GPF file</translation>
    </message>
    <message>
        <source>PNG 파일</source>
        <translation>PNG file</translation>
    </message>
    <message>
        <source>팔레트 파일</source>
        <translation>Palette file</translation>
    </message>
    <message>
        <source>GPL 팔레트</source>
        <translation>GPL palette</translation>
    </message>
    <message>
        <source>ACT 색상표</source>
        <translation>ACT colour table</translation>
    </message>
    <message>
        <source>그림의 팔레트</source>
        <translation>Palette of an image</translation>
    </message>
    <message>
        <source>일반 파일이 아니므로 읽을 수 없습니다. (폴더, FIFO, 장치 등)</source>
        <translation>Not a regular file, so it cannot be read. (A folder, FIFO, device ...)</translation>
    </message>
    <message>
        <source>저장이 중간에 끊긴 파일일 수 있습니다. 이전 내용이 %s에 남아 있습니다.</source>
        <translation>A save of this file may have been cut off. Its previous contents are kept in %s.</translation>
    </message>
    <message>
        <source>이번 실행에서 열거나 저장한 적이 없는 파일에 저장합니다. 계속하시겠습니까?</source>
        <translation>This saves to files not opened or saved since the editor started. Continue?</translation>
    </message>
    <message>
        <source>그림 파일이 아닙니다. 불러올 수 있는 그림의 확장자가 아닙니다.</source>
        <translation>This is not a picture file: its extension is not one of the pictures that can be opened.</translation>
    </message>
    <message>
        <source>이 크기로는 그림에 타일이 하나도 들어가지 않습니다.</source>
        <translation>Not one whole tile of this size fits in the picture.</translation>
    </message>
    <message>
        <source>GIF 파일을 읽을 수 없습니다. (%s)</source>
        <translation>Cannot read the GIF file. (%s)</translation>
    </message>
    <message>
        <source>GIF 파일이 아님</source>
        <translation>not a GIF file</translation>
    </message>
    <message>
        <source>BMP 파일을 읽을 수 없습니다. (%s)</source>
        <translation>Cannot read the BMP file. (%s)</translation>
    </message>
    <message>
        <source>BMP 파일이 아님</source>
        <translation>not a BMP file</translation>
    </message>
    <message>
        <source>색 마스크가 잘못됨</source>
        <translation>wrong colour masks</translation>
    </message>
    <message>
        <source>압축된 픽셀이 그림 밖으로 나감</source>
        <translation>compressed pixels outside the picture</translation>
    </message>
    <message>
        <source>지원하지 않는 BMP 파일입니다. (%d비트)</source>
        <translation>Unsupported BMP file. (%d bits)</translation>
    </message>
    <message>
        <source>지원하지 않는 BMP 압축 방식입니다. (%d)</source>
        <translation>Unsupported BMP compression. (%d)</translation>
    </message>
</context>
<context>
    <name>TAniWin</name>
    <message>
        <source>연속 동작 보기</source>
        <translation>Animation Preview</translation>
    </message>
    <message>
        <source>프레임</source>
        <translation>fps</translation>
    </message>
    <message>
        <source>애니메이션되는 속도를 설정합니다.</source>
        <translation>Sets the speed of the animation.</translation>
    </message>
    <message>
        <source>에니메이션 출력을 종료합니다.</source>
        <translation>Stops the animation.</translation>
    </message>
    <message>
        <source>조아여~</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>TChgColorWin</name>
    <message>
        <source>색상 바꾸기</source>
        <translation>Change Colour</translation>
    </message>
    <message>
        <source>바꿀 색상 입력</source>
        <translation>Colours to change</translation>
    </message>
    <message>
        <source>기존 색번호 입력</source>
        <translation>Old colour</translation>
    </message>
    <message>
        <source>바꿀 색번호 입력</source>
        <translation>New colour</translation>
    </message>
    <message>
        <source>비슷한 색상으로 바꾸기</source>
        <translation>To a similar colour</translation>
    </message>
    <message>
        <source>조아조아~</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>시러시러!</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TColorKeyWin</name>
    <message>
        <source>투명색 설정</source>
        <translation>Key Colour</translation>
    </message>
    <message>
        <source>기본 투명색 설정</source>
        <translation>Default key colour</translation>
    </message>
    <message>
        <source>8비트</source>
        <translation>8-bit</translation>
    </message>
    <message>
        <source>16비트</source>
        <translation>16-bit</translation>
    </message>
    <message>
        <source>24비트</source>
        <translation>24-bit</translation>
    </message>
    <message>
        <source>현재 투명색 설정</source>
        <translation>Current key colour</translation>
    </message>
    <message>
        <source>조아~</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>시러!</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TConfigWin</name>
    <message>
        <source>크기 설정</source>
        <translation>Tile Size</translation>
    </message>
    <message>
        <source>정렬 방식</source>
        <translation>Alignment</translation>
    </message>
    <message>
        <source>정렬 안함</source>
        <translation>None</translation>
    </message>
    <message>
        <source>가운데 정렬</source>
        <translation>Centre</translation>
    </message>
    <message>
        <source>왼쪽 정렬</source>
        <translation>Left</translation>
    </message>
    <message>
        <source>오른쪽 정렬</source>
        <translation>Right</translation>
    </message>
    <message>
        <source>위쪽 정렬</source>
        <translation>Top</translation>
    </message>
    <message>
        <source>아래쪽 정렬</source>
        <translation>Bottom</translation>
    </message>
    <message>
        <source>이미지 넓이</source>
        <translation>Tile width</translation>
    </message>
    <message>
        <source>이미지 높이</source>
        <translation>Tile height</translation>
    </message>
    <message>
        <source>가로 칸 수</source>
        <translation>Tiles across</translation>
    </message>
    <message>
        <source>세로 칸 수</source>
        <translation>Tiles down</translation>
    </message>
    <message>
        <source>경계선 색상</source>
        <translation>Grid line colour</translation>
    </message>
    <message>
        <source>조아여</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>시러여</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TMainWin</name>
    <message>
        <source>새로 만들기</source>
        <translation>New</translation>
    </message>
    <message>
        <source>새로운 이미지를 만듭니다.</source>
        <translation>Creates a new image.</translation>
    </message>
    <message>
        <source>불러오기</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>이미지를 불러옵니다.</source>
        <translation>Opens images.</translation>
    </message>
    <message>
        <source>저장하기</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>편집한 이미지를 저장합니다.</source>
        <translation>Saves the edited image.</translation>
    </message>
    <message>
        <source>팔레트 적용</source>
        <translation>Apply Palette</translation>
    </message>
    <message>
        <source>현재 이미지에 새로운 팔레트를 적용합니다.</source>
        <translation>Applies a new palette to the current image.</translation>
    </message>
    <message>
        <source>팔레트 저장</source>
        <translation>Save Palette</translation>
    </message>
    <message>
        <source>현재 이미지에서 팔레트를 추출하여 저장합니다.</source>
        <translation>Takes the palette of the current image and saves it.</translation>
    </message>
    <message>
        <source>개발자 홈</source>
        <translation>Developer Site</translation>
    </message>
    <message>
        <source>개발자 홈페이지로 이동합니다.</source>
        <translation>Opens the developer&apos;s website.</translation>
    </message>
    <message>
        <source>되돌리기</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>마지막 편집을 되돌립니다. (Ctrl+Z)</source>
        <translation>Undoes the last edit. (Ctrl+Z)</translation>
    </message>
    <message>
        <source>다시 실행</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>되돌린 편집을 다시 실행합니다. (Ctrl+Shift+Z, Ctrl+Y)</source>
        <translation>Redoes the edit that was undone. (Ctrl+Shift+Z, Ctrl+Y)</translation>
    </message>
    <message>
        <source>에니메이션</source>
        <translation>Animation</translation>
    </message>
    <message>
        <source>지정한 갯수의 이미지를 애니메이션 출력합니다.</source>
        <translation>Plays the given number of tiles as an animation.</translation>
    </message>
    <message>
        <source>전체 보기</source>
        <translation>Whole Image</translation>
    </message>
    <message>
        <source>이미지 전체를 한 화면에 보여줍니다.</source>
        <translation>Shows the whole image in one window.</translation>
    </message>
    <message>
        <source>투명색 설정</source>
        <translation>Key Colour</translation>
    </message>
    <message>
        <source>이미지의 투명색을 설정합니다.</source>
        <translation>Sets the key colour of the image.</translation>
    </message>
    <message>
        <source>색상 바꾸기</source>
        <translation>Change Colour</translation>
    </message>
    <message>
        <source>선택한 색상을 다른 색상으로 바꿉니다.</source>
        <translation>Replaces the chosen colour with another.</translation>
    </message>
    <message>
        <source>크기 설정</source>
        <translation>Tile Size</translation>
    </message>
    <message>
        <source>이미지의 크기를 조절합니다.</source>
        <translation>Changes the size of the image.</translation>
    </message>
    <message>
        <source>팔레트 보기</source>
        <translation>View Palette</translation>
    </message>
    <message>
        <source>복사</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>페이지를 복사하여 생성합니다.</source>
        <translation>Makes a copy of the page.</translation>
    </message>
    <message>
        <source>모아서 복사</source>
        <translation>Gather Copy</translation>
    </message>
    <message>
        <source>선택한 페이지를 모아서 하나의 페이지에 복사합니다.</source>
        <translation>Gathers the selected pages into one page.</translation>
    </message>
    <message>
        <source>블럭 복사</source>
        <translation>Block Copy</translation>
    </message>
    <message>
        <source>선택한 이미지 블럭을 새로운 페이지로 생성합니다.</source>
        <translation>Makes a new page of the selected block.</translation>
    </message>
    <message>
        <source>크기 최적화</source>
        <translation>Optimise Size</translation>
    </message>
    <message>
        <source>지우기</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>이미지를 투명색으로 지웁니다.</source>
        <translation>Clears the image to the key colour.</translation>
    </message>
    <message>
        <source>삭제</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>선택한 페이지를 삭제합니다.</source>
        <translation>Deletes the selected pages.</translation>
    </message>
    <message>
        <source>모두 삭제</source>
        <translation>Delete All</translation>
    </message>
    <message>
        <source>모든 페이지를 삭제합니다.</source>
        <translation>Deletes all pages.</translation>
    </message>
    <message>
        <source>스프라이트 정보</source>
        <translation>Sprite Info</translation>
    </message>
    <message>
        <source>이미지 이동</source>
        <translation>Nudge</translation>
    </message>
    <message>
        <source>현재 좌표</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>번호</source>
        <translation>Tile</translation>
    </message>
    <message>
        <source>크기</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>이미지를 해당 방향으로 1픽셀씩 이동합니다.</source>
        <translation>Nudges the image one pixel in this direction.</translation>
    </message>
    <message>
        <source>이동시킨 이미지를 적용합니다.</source>
        <translation>Applies the nudged image.</translation>
    </message>
    <message>
        <source>색상 정보</source>
        <translation>Colour Info</translation>
    </message>
    <message>
        <source>현재 색상</source>
        <translation>Colour</translation>
    </message>
    <message>
        <source>기본 투명색</source>
        <translation>Default key</translation>
    </message>
    <message>
        <source>현재 투명색</source>
        <translation>Page key</translation>
    </message>
    <message>
        <source>복사 방식</source>
        <translation>Copy Mode</translation>
    </message>
    <message>
        <source>열 맞추기</source>
        <translation>Columns</translation>
    </message>
    <message>
        <source>지우고 복사</source>
        <translation>Replace</translation>
    </message>
    <message>
        <source>앞에 복사</source>
        <translation>In front</translation>
    </message>
    <message>
        <source>뒤에 복사</source>
        <translation>Behind</translation>
    </message>
    <message>
        <source>이미지의 가로 타일 칸 수를 맞추어 재정렬합니다.</source>
        <translation>Lays the tiles out again in this many columns.</translation>
    </message>
    <message>
        <source>설정한 칸 수를 적용합니다.</source>
        <translation>Applies the number of columns.</translation>
    </message>
    <message>
        <source>영역 설정</source>
        <translation>Areas</translation>
    </message>
    <message>
        <source>편집할 영역 속성을 고릅니다.</source>
        <translation>Chooses the area layer to edit.</translation>
    </message>
    <message>
        <source>지정안함</source>
        <translation>None</translation>
    </message>
    <message>
        <source>영역1</source>
        <translation>Area 1</translation>
    </message>
    <message>
        <source>영역2</source>
        <translation>Area 2</translation>
    </message>
    <message>
        <source>영역3</source>
        <translation>Area 3</translation>
    </message>
    <message>
        <source>영역4</source>
        <translation>Area 4</translation>
    </message>
    <message>
        <source>영역5</source>
        <translation>Area 5</translation>
    </message>
    <message>
        <source>적용할 속성 범위를 정합니다.</source>
        <translation>Chooses how far a click applies.</translation>
    </message>
    <message>
        <source>1개만 적용</source>
        <translation>One tile</translation>
    </message>
    <message>
        <source>1행만 적용</source>
        <translation>One row</translation>
    </message>
    <message>
        <source>모두 적용</source>
        <translation>All tiles</translation>
    </message>
    <message>
        <source>이미지의 크기를 조절합니다.</source>
        <comment>view palette</comment>
        <translation>Shows the 256 colours of the palette.</translation>
    </message>
    <message>
        <source>이미지의 크기를 조절합니다.</source>
        <comment>size optimisation</comment>
        <translation>Trims the key-colour borders off the tiles of the selected pages.</translation>
    </message>
</context>
<context>
    <name>TNewWin</name>
    <message>
        <source>새로 만들기</source>
        <translation>New</translation>
    </message>
    <message>
        <source>이미지 넓이</source>
        <translation>Tile width</translation>
    </message>
    <message>
        <source>이미지 높이</source>
        <translation>Tile height</translation>
    </message>
    <message>
        <source>가로 칸 수</source>
        <translation>Tiles across</translation>
    </message>
    <message>
        <source>세로 칸 수</source>
        <translation>Tiles down</translation>
    </message>
    <message>
        <source>투명색</source>
        <translation>Key colour</translation>
    </message>
    <message>
        <source>확인</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>취소</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TPaletteWin</name>
    <message>
        <source>팔레트 보기</source>
        <translation>View Palette</translation>
    </message>
    <message>
        <source>조아여</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>TSheetWin</name>
    <message>
        <source>스프라이트 시트 가져오기</source>
        <translation>Import Sprite Sheet</translation>
    </message>
    <message>
        <source>타일 너비(&amp;W)</source>
        <translation>Tile &amp;width</translation>
    </message>
    <message>
        <source>타일 높이(&amp;H)</source>
        <translation>Tile &amp;height</translation>
    </message>
    <message>
        <source>바깥 여백(&amp;M)</source>
        <translation>&amp;Margin</translation>
    </message>
    <message>
        <source>타일 사이 간격(&amp;S)</source>
        <translation>&amp;Spacing between tiles</translation>
    </message>
</context>
<context>
    <name>TTileWin</name>
    <message>
        <source>전체 이미지 보기</source>
        <translation>Whole Image</translation>
    </message>
    <message>
        <source>조아여~</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>ToolText</name>
    <message>
        <source>알 수 없는 명령입니다: %1</source>
        <translation>unknown command: %1</translation>
    </message>
    <message>
        <source>알 수 없는 옵션입니다: %1</source>
        <translation>unknown option: %1</translation>
    </message>
    <message>
        <source>%1 옵션에는 값이 필요합니다.</source>
        <translation>the %1 option needs a value.</translation>
    </message>
    <message>
        <source>사용법: %1</source>
        <translation>usage: %1</translation>
    </message>
    <message>
        <source>지원하지 않는 확장자입니다. (%1)</source>
        <translation>unsupported extension. (%1)</translation>
    </message>
    <message>
        <source>--tile WxH 옵션이 필요합니다. 예: 32x32</source>
        <translation>the --tile WxH option is needed, e.g. 32x32</translation>
    </message>
    <message>
        <source>--tile 옵션은 WxH 형식입니다. 예: 32x32</source>
        <translation>the --tile option takes WxH, e.g. 32x32</translation>
    </message>
    <message>
        <source>%1 x %2 크기는 %3 x %4 타일로 나누어떨어지지 않습니다.</source>
        <translation>%1 x %2 does not divide into %3 x %4 tiles.</translation>
    </message>
    <message>
        <source>--align 옵션은 none, center, left, right, top, bottom 중 하나입니다.</source>
        <translation>the --align option is one of none, center, left, right, top, bottom.</translation>
    </message>
    <message>
        <source>--grid 옵션은 COLSxROWS 형식입니다. 예: 4x2</source>
        <translation>the --grid option takes COLSxROWS, e.g. 4x2</translation>
    </message>
    <message>
        <source>--grid 옵션은 --align 없이만 쓸 수 있습니다.</source>
        <translation>the --grid option works only without --align.</translation>
    </message>
    <message>
        <source>--from N 옵션이 필요합니다. (10진수 또는 0x로 시작하는 16진수)</source>
        <translation>the --from N option is needed. (decimal, or hexadecimal starting with 0x)</translation>
    </message>
    <message>
        <source>--to N 또는 --similar 옵션이 필요합니다.</source>
        <translation>the --to N or the --similar option is needed.</translation>
    </message>
    <message>
        <source>--to N 과 --similar 는 함께 쓸 수 없습니다.</source>
        <translation>--to N and --similar cannot be given together.</translation>
    </message>
    <message>
        <source>--to 옵션은 색상 값입니다. (10진수 또는 0x로 시작하는 16진수)</source>
        <translation>the --to option takes a colour value. (decimal, or hexadecimal starting with 0x)</translation>
    </message>
    <message>
        <source>--key 옵션은 0 이상의 색상 값입니다. 예: 0, 0xFF</source>
        <translation>the --key option is a colour value of 0 or more, e.g. 0, 0xFF</translation>
    </message>
    <message>
        <source>--format 옵션은 own, jasc, gpl, act 중 하나입니다.</source>
        <translation>the --format option is one of own, jasc, gpl, act.</translation>
    </message>
    <message>
        <source>--lang 옵션은 %1 중 하나입니다.</source>
        <translation>the --lang option is one of %1.</translation>
    </message>
    <message>
        <source>파일이 이미 있습니다. 덮어쓰려면 --force 옵션을 주십시오.</source>
        <translation>the file exists. Give the --force option to replace it.</translation>
    </message>
    <message>
        <source>모든 타일이 투명하여 잘라낼 것이 없습니다. 그대로 저장합니다.</source>
        <translation>every tile is transparent: nothing to trim. Saved as it is.</translation>
    </message>
    <message>
        <source>출력을 쓸 수 없습니다.</source>
        <translation>cannot write the output.</translation>
    </message>
    <message>
        <source>팔레트가 없어 모든 색이 검정이므로 --similar 로 비슷한 색을 고를 수 없습니다. --palette FILE 로 팔레트를 주십시오.</source>
        <translation>there is no palette (every colour is black), so --similar cannot pick a similar colour. Give one with --palette FILE.</translation>
    </message>
    <message>
        <source>팔레트가 없어 모든 색이 검정입니다: %1 은(는) 검은 그림으로 저장됩니다. --palette FILE 로 팔레트를 주십시오.</source>
        <translation>there is no palette (every colour is black): %1 is saved as a black picture. Give one with --palette FILE.</translation>
    </message>
    <message>
        <source>zentil-tool: 창 없이 스프라이트 시트 파일을 다루는 명령

zentil-tool --version 은 버전을, zentil-tool COMMAND --help 는 명령의 설명을 보여 줍니다.
--lang %1 은 메시지의 언어를 고릅니다.

명령:
</source>
        <translation>zentil-tool: sprite-sheet files without a window

zentil-tool --version shows the version, zentil-tool COMMAND --help describes a command,
--lang %1 chooses the language of the messages.

Commands:
</translation>
    </message>
    <message>
        <source>zentil-tool info FILE... [--tile WxH] [--json]
  TGA, PNG, GPF, 팔레트(.PAL, .GPL, .ACT) 파일의 내용을 보여 줍니다: 크기, 형식,
  컬러맵과 투명색; GPF 파일은 타일 배치, 타일마다 저장된 사각형과 차지하는
  바이트(사각형과 크기 항목 12바이트 포함), 합계.
  --tile WxH        그림을 타일로 나누어 타일마다 GPF로 차지할 바이트를 보여 줍니다
  --json            모든 내용을 JSON 객체 하나로 출력합니다
</source>
        <translation>zentil-tool info FILE... [--tile WxH] [--json]
  Describes TGA, PNG, GPF and palette (.PAL, .GPL, .ACT) files: size, format,
  colour map and transparent colour; for GPF files the tile layout, the rectangle
  kept of each tile and the bytes it takes (12 bytes of rectangle and size
  included), and the total.
  --tile WxH        cuts a picture into tiles and shows the GPF bytes of each
  --json            prints everything as one JSON object
</translation>
    </message>
    <message>
        <source>zentil-tool convert IN OUT [--tile WxH] [--key N] [--palette FILE] [--force]
  .TGA, .GPF, .PNG 파일을 읽어 OUT의 확장자대로 .GPF, .TGA, .PNG 파일로 씁니다.
  --tile WxH        그림을 W x H 픽셀 타일로 나눕니다
  --key N           페이지의 투명색을 정합니다 (10진수 또는 0x 16진수)
  --palette FILE    GPF 페이지에 입힐 팔레트 (팔레트 파일 또는 그림의 팔레트);
                    없으면 GPF 페이지의 색은 모두 검정입니다
  --force           OUT이 있으면 덮어씁니다
</source>
        <translation>zentil-tool convert IN OUT [--tile WxH] [--key N] [--palette FILE] [--force]
  Reads a .TGA, .GPF or .PNG file and writes it as .GPF, .TGA or .PNG by OUT&apos;s
  extension.
  --tile WxH        cuts the picture into tiles of W x H pixels
  --key N           sets the page&apos;s transparent colour (decimal or 0x hex)
  --palette FILE    the palette for GPF pages (a palette file or a picture&apos;s);
                    without it every colour of a GPF page is black
  --force           replaces OUT if it exists
</translation>
    </message>
    <message>
        <source>zentil-tool palette IN OUT [--format own|jasc|gpl|act] [--force]
  IN(팔레트 파일 또는 TGA, PNG 그림)의 팔레트를 OUT에 씁니다: 블렌드 테이블이
  붙은 편집기 고유의 팔레트 파일(.pal), GPL 팔레트(.gpl), ACT 색상표(.act) 중
  OUT의 확장자가 정하는 형식으로; --format 을 주면 확장자와 상관없이 그 형식으로
  (jasc는 JASC-PAL 텍스트 파일).
</source>
        <translation>zentil-tool palette IN OUT [--format own|jasc|gpl|act] [--force]
  Writes the palette of IN (a palette file, or a TGA or PNG picture) to OUT: the
  editor&apos;s own palette file with its blend table (.pal), a GPL palette (.gpl) or
  an ACT colour table (.act), as OUT&apos;s extension says; with --format, in that
  format whatever the extension (jasc is a JASC-PAL text file).
</translation>
    </message>
    <message>
        <source>zentil-tool trim IN OUT [--palette FILE] [--force]
  모든 타일에 공통인 투명한 가장자리를 잘라냅니다 (너비는 4의 배수).
  --palette FILE    GPF 페이지에 입힐 팔레트, convert 와 같습니다
</source>
        <translation>zentil-tool trim IN OUT [--palette FILE] [--force]
  Trims the transparent border that all tiles share (widths a multiple of 4).
  --palette FILE    the palette for GPF pages, as for convert
</translation>
    </message>
    <message>
        <source>zentil-tool retile IN OUT --tile WxH [--align none|center|left|right|top|bottom]
                          [--grid COLSxROWS] [--palette FILE] [--force]
  타일 크기를 바꿉니다. 정렬을 주면 옛 타일이 새 타일 안의 그 자리에 놓이고,
  정렬이 없으면 픽셀은 제자리에 있고 --grid 가 새 타일 수를 정합니다
  (기본값은 옛 페이지 크기에 들어가는 만큼).
  --palette FILE    GPF 페이지에 입힐 팔레트, convert 와 같습니다
</source>
        <translation>zentil-tool retile IN OUT --tile WxH [--align none|center|left|right|top|bottom]
                          [--grid COLSxROWS] [--palette FILE] [--force]
  Changes the tile size. With an alignment each old tile goes to that place in its
  new tile; without one the pixels stay where they are and --grid sets the new
  number of tiles (by default as many as the old page holds).
  --palette FILE    the palette for GPF pages, as for convert
</translation>
    </message>
    <message>
        <source>zentil-tool recolor IN OUT --from N (--to N | --similar) [--palette FILE] [--force]
  색상 N인 픽셀을 모두 바꿉니다; --similar 는 가깝고 다른 색을 고릅니다.
  --palette FILE    GPF 페이지에 입힐 팔레트; GPF 파일에는 팔레트가 없으므로
                    --similar 에 필요합니다
</source>
        <translation>zentil-tool recolor IN OUT --from N (--to N | --similar) [--palette FILE] [--force]
  Changes every pixel of colour N; --similar picks the nearest other colour.
  --palette FILE    the palette for GPF pages; GPF files hold none, so --similar
                    needs it for them
</translation>
    </message>
    <message>
        <source>TGA 형식 %1, %2 x %3, 픽셀당 %4비트, 디스크립터 0x%5 (%6)</source>
        <translation>TGA type %1, %2 x %3, %4 bits per pixel, descriptor 0x%5 (%6)</translation>
    </message>
    <message>
        <source>위쪽 행부터</source>
        <translation>top row first</translation>
    </message>
    <message>
        <source>아래쪽 행부터</source>
        <translation>bottom row first</translation>
    </message>
    <message>
        <source>, 오른쪽에서 왼쪽으로</source>
        <translation>, right to left</translation>
    </message>
    <message>
        <source>컬러맵: %1번부터 %2개, 항목당 %3비트</source>
        <translation>colour map: %2 entries from %1, %3 bits each</translation>
    </message>
    <message>
        <source>컬러맵 없음</source>
        <translation>no colour map</translation>
    </message>
    <message>
        <source>투명색 %1 (%2)</source>
        <translation>transparent colour %1 (%2)</translation>
    </message>
    <message>
        <source>네 모서리의 색</source>
        <translation>the colour of the four corners</translation>
    </message>
    <message>
        <source>기본값; 네 모서리의 색이 서로 다름</source>
        <translation>default; the four corners differ</translation>
    </message>
    <message>
        <source>투명 항목 또는 기본값</source>
        <translation>transparent entry or default</translation>
    </message>
    <message>
        <source>PNG %1 x %2, %3%4</source>
        <translation>PNG %1 x %2, %3%4</translation>
    </message>
    <message>
        <source>팔레트(항목 %2개)가 있는 %1비트</source>
        <translation>%1-bit with a palette (entries: %2)</translation>
    </message>
    <message>
        <source>%1비트 회색조</source>
        <translation>%1-bit grey</translation>
    </message>
    <message>
        <source>알파가 있는 %1비트 회색조</source>
        <translation>%1-bit grey with alpha</translation>
    </message>
    <message>
        <source>%1비트 RGB</source>
        <translation>%1-bit RGB</translation>
    </message>
    <message>
        <source>알파가 있는 %1비트 RGB</source>
        <translation>%1-bit RGB with alpha</translation>
    </message>
    <message>
        <source>, 인터레이스</source>
        <translation>, interlaced</translation>
    </message>
    <message>
        <source>파일의 팔레트로 8비트 페이지가 됨; 완전히 투명한 항목 %1개</source>
        <translation>read as an 8-bit page with the file&apos;s palette (fully transparent entries: %1)</translation>
    </message>
    <message>
        <source>회색 단계 팔레트로 8비트 페이지가 됨</source>
        <translation>read as an 8-bit page with a grey ramp</translation>
    </message>
    <message>
        <source>처음 나오는 차례로 번호를 매긴 색 %1개의 팔레트로 8비트 페이지가 됨</source>
        <translation>read as an 8-bit page with a palette of its %1 colours in the order they first appear</translation>
    </message>
    <message>
        <source>%1 %2 x %3, 픽셀당 %4비트</source>
        <translation>%1 %2 x %3, %4 bits per pixel</translation>
    </message>
    <message>
        <source>GPF %1 x %2 타일, 타일 크기 %3 x %4, 투명색 %5</source>
        <translation>GPF %1 x %2 tiles, tile size %3 x %4, transparent colour %5</translation>
    </message>
    <message>
        <source>타일 %1: %2,%3 %4 x %5, %6 바이트 (데이터 %7 바이트)</source>
        <translation>tile %1: %2,%3 %4 x %5, %6 bytes (%7 bytes of data)</translation>
    </message>
    <message>
        <source>합계: 타일 데이터 %1 바이트, GPF 파일 %2 바이트</source>
        <translation>total: %1 bytes of tile data, %2 bytes of GPF file</translation>
    </message>
    <message>
        <source>팔레트, %1 바이트</source>
        <translation>palette, %1 bytes</translation>
    </message>
    <message>
        <source>팔레트, %1 바이트, 블렌드 테이블 %2</source>
        <translation>palette, %1 bytes, blend table %2</translation>
    </message>
    <message>
        <source>완전함</source>
        <translation>complete</translation>
    </message>
    <message>
        <source>없거나 짧음</source>
        <translation>missing or short</translation>
    </message>
</context>
<context>
    <name>zentil::AboutBox</name>
    <message>
        <source>게임기용 스프라이트 시트와 타일을 만드는 편집기입니다.</source>
        <translation>An editor of sprite sheets and tiles for games on a handheld console.</translation>
    </message>
    <message>
        <source>이 프로그램은 자유 소프트웨어입니다. GNU 일반 공중 사용 허가서 3판 또는 (선택에 따라) 그 이후 판(GPL-3.0-or-later)에 따라 배포하거나 고칠 수 있습니다. 이 프로그램에는 어떠한 보증도 없습니다.</source>
        <translation>This program is free software: you can redistribute it and/or modify it under the terms of the GNU General Public License, version 3 or (at your option) any later version (GPL-3.0-or-later). It comes with no warranty of any kind.</translation>
    </message>
    <message>
        <source>쓰인 라이브러리:</source>
        <translation>Libraries used:</translation>
    </message>
    <message>
        <source>Zentil Editor 정보</source>
        <translation>About Zentil Editor</translation>
    </message>
</context>
<context>
    <name>zentil::ByteMapSwitch</name>
    <message>
        <source>GPF 지도</source>
        <translation>GPF Map</translation>
    </message>
    <message>
        <source>타일마다 GPF 파일에서 차지하는 바이트를 색으로 보여 줍니다 (%1)</source>
        <translation>Colours every tile by the bytes it takes in a GPF file (%1)</translation>
    </message>
</context>
<context>
    <name>zentil::CanvasTools</name>
    <message>
        <source>블럭</source>
        <translation>Block</translation>
    </message>
    <message>
        <source>연필</source>
        <translation>Pencil</translation>
    </message>
    <message>
        <source>지우개</source>
        <translation>Eraser</translation>
    </message>
    <message>
        <source>스포이트</source>
        <translation>Eyedropper</translation>
    </message>
    <message>
        <source>채우기</source>
        <translation>Fill</translation>
    </message>
    <message>
        <source>직선</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>색 %1: %2, %3, %4</source>
        <translation>Colour %1: %2, %3, %4</translation>
    </message>
    <message>
        <source>그림 목록의 페이지는 읽기 전용이라 팔레트를 바꿀 수 없습니다.</source>
        <translation>Pages of the picture list are read-only: their palette cannot be changed.</translation>
    </message>
    <message>
        <source>끌어서 타일 블럭을 들어 올리고, 눌러서 찍습니다. 오른쪽 단추: 내려놓기.</source>
        <translation>Drag to lift a block of tiles, press to stamp it. Right button: put it away.</translation>
    </message>
    <message>
        <source>%1 (%2)
%3</source>
        <translation>%1 (%2)
%3</translation>
    </message>
    <message>
        <source>페이지의 투명색으로 칠합니다.</source>
        <translation>Paints with the page&apos;s transparent colour.</translation>
    </message>
    <message>
        <source>같은 색으로 이어진 영역을 현재 색으로 채웁니다.</source>
        <translation>Fills the connected area of one colour with the current colour.</translation>
    </message>
    <message>
        <source>누른 곳의 색을 현재 색으로 합니다.</source>
        <translation>Makes the colour pressed the current colour.</translation>
    </message>
    <message>
        <source>끌어서 직선을 긋습니다. Shift: 0, 45, 90도. Esc: 취소.</source>
        <translation>Drag to draw a straight line. Shift: 0, 45, 90 degrees. Esc: cancel.</translation>
    </message>
    <message>
        <source>사각형</source>
        <translation>Rectangle</translation>
    </message>
    <message>
        <source>끌어서 사각형 테두리를 그립니다. Shift: 정사각형. Esc: 취소.</source>
        <translation>Drag to draw a rectangle&apos;s outline. Shift: square. Esc: cancel.</translation>
    </message>
    <message>
        <source>채운 사각형</source>
        <translation>Filled rectangle</translation>
    </message>
    <message>
        <source>끌어서 속을 채운 사각형을 그립니다. Shift: 정사각형. Esc: 취소.</source>
        <translation>Drag to draw a filled rectangle. Shift: square. Esc: cancel.</translation>
    </message>
    <message>
        <source>타원</source>
        <translation>Ellipse</translation>
    </message>
    <message>
        <source>끌어서 타원 테두리를 그립니다. Shift: 원. Esc: 취소.</source>
        <translation>Drag to draw an ellipse&apos;s outline. Shift: circle. Esc: cancel.</translation>
    </message>
    <message>
        <source>채운 타원</source>
        <translation>Filled ellipse</translation>
    </message>
    <message>
        <source>끌어서 속을 채운 타원을 그립니다. Shift: 원. Esc: 취소.</source>
        <translation>Drag to draw a filled ellipse. Shift: circle. Esc: cancel.</translation>
    </message>
    <message>
        <source>현재 색으로 그립니다. Shift와 함께 누르면 마지막 점에서 직선을 긋습니다. Esc: 취소.</source>
        <translation>Draws in the current colour. Press with Shift for a straight line from the last point. Esc: cancel.</translation>
    </message>
</context>
<context>
    <name>zentil::CommandLine</name>
    <message>
        <source>사용법: %1 [옵션] [파일...]</source>
        <translation>Usage: %1 [options] [FILES...]</translation>
    </message>
    <message>
        <source>스프라이트 시트와 타일 편집기. 주어진 TGA, PNG 그림과 GPF 스프라이트 파일, 작업 파일(.zws)을 시작할 때 불러옵니다.</source>
        <translation>Sprite-sheet and tile editor. Loads the given TGA and PNG pictures, GPF sprite files and work files (.zws) at start.</translation>
    </message>
    <message>
        <source>옵션:</source>
        <translation>Options:</translation>
    </message>
    <message>
        <source>인수:</source>
        <translation>Arguments:</translation>
    </message>
    <message>
        <source>이 도움말을 보이고 끝냅니다.</source>
        <translation>Shows this help and exits.</translation>
    </message>
    <message>
        <source>버전을 보이고 끝냅니다.</source>
        <translation>Shows the version and exits.</translation>
    </message>
    <message>
        <source>파일...</source>
        <translation>FILES...</translation>
    </message>
    <message>
        <source>시작할 때 불러올 TGA, PNG 그림과 GPF 스프라이트 파일, 작업 파일(.zws).</source>
        <translation>TGA and PNG pictures, GPF sprite files and work files (.zws) to load at start.</translation>
    </message>
    <message numerus="yes">
        <source>알 수 없는 옵션: %1</source>
        <translation>
            <numerusform>Unknown option: %1</numerusform>
            <numerusform>Unknown options: %1</numerusform>
        </translation>
    </message>
    <message>
        <source>&apos;%1&apos; 뒤에 값이 없습니다.</source>
        <translation>Missing value after &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>&apos;%1&apos;은(는) 값을 받지 않습니다.</source>
        <translation>Unexpected value after &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>사용법은 &apos;%1 --help&apos;로 볼 수 있습니다.</source>
        <translation>Try &apos;%1 --help&apos;.</translation>
    </message>
    <message>
        <source>출력을 쓸 수 없습니다: %1</source>
        <translation>cannot write the output: %1</translation>
    </message>
    <message>
        <source>창의 언어(%1). 없으면 편집기에서 고른 언어, 그것도 없으면 사용자의 첫 언어(편집기에 있을 때), 아니면 한국어입니다.</source>
        <translation>The language of the windows (%1). Without it, the language chosen in the editor, else the user&apos;s first language where the editor has it and Korean otherwise.</translation>
    </message>
    <message>
        <source>알 수 없는 언어 &apos;%1&apos;입니다(%2).</source>
        <translation>Unknown language &apos;%1&apos; (%2).</translation>
    </message>
</context>
<context>
    <name>zentil::EditorActions</name>
    <message>
        <source>파일(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>편집(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>페이지(&amp;P)</source>
        <translation>&amp;Page</translation>
    </message>
    <message>
        <source>보기(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>도구(&amp;T)</source>
        <translation>&amp;Tools</translation>
    </message>
    <message>
        <source>도움말(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>새로 만들기</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>새로운 이미지를 만듭니다.</source>
        <translation>Creates a new image.</translation>
    </message>
    <message>
        <source>불러오기</source>
        <translation>&amp;Open</translation>
    </message>
    <message>
        <source>이미지를 불러옵니다.</source>
        <translation>Opens images.</translation>
    </message>
    <message>
        <source>저장하기</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>편집한 이미지를 저장합니다.</source>
        <translation>Saves the edited image.</translation>
    </message>
    <message>
        <source>모두 저장</source>
        <translation>Save A&amp;ll</translation>
    </message>
    <message>
        <source>변경된 스프라이트 페이지를 모두 저장합니다.</source>
        <translation>Saves every changed sprite page.</translation>
    </message>
    <message>
        <source>팔레트 적용</source>
        <translation>Apply &amp;Palette</translation>
    </message>
    <message>
        <source>현재 이미지에 새로운 팔레트를 적용합니다.</source>
        <translation>Applies a new palette to the current image.</translation>
    </message>
    <message>
        <source>팔레트 저장</source>
        <translation>Save Pal&amp;ette</translation>
    </message>
    <message>
        <source>현재 이미지에서 팔레트를 추출하여 저장합니다.</source>
        <translation>Takes the palette of the current image and saves it.</translation>
    </message>
    <message>
        <source>끝내기</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <source>편집기를 닫습니다.</source>
        <translation>Closes the editor.</translation>
    </message>
    <message>
        <source>되돌리기</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>마지막 편집을 되돌립니다.</source>
        <translation>Undoes the last edit.</translation>
    </message>
    <message>
        <source>다시 실행</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>되돌린 편집을 다시 실행합니다.</source>
        <translation>Redoes the edit that was undone.</translation>
    </message>
    <message>
        <source>투명색 설정</source>
        <translation>&amp;Key Colour</translation>
    </message>
    <message>
        <source>이미지의 투명색을 설정합니다.</source>
        <translation>Sets the key colour of the image.</translation>
    </message>
    <message>
        <source>색상 바꾸기</source>
        <translation>Change &amp;Colour</translation>
    </message>
    <message>
        <source>선택한 색상을 다른 색상으로 바꿉니다.</source>
        <translation>Replaces the chosen colour with another.</translation>
    </message>
    <message>
        <source>크기 설정</source>
        <translation>Tile &amp;Size</translation>
    </message>
    <message>
        <source>이미지의 크기를 조절합니다.</source>
        <translation>Changes the size of the image.</translation>
    </message>
    <message>
        <source>크기 최적화</source>
        <translation>&amp;Optimise Size</translation>
    </message>
    <message>
        <source>이미지의 크기를 조절합니다.</source>
        <comment>size optimisation</comment>
        <translation>Trims the key-colour borders off the tiles of the selected pages.</translation>
    </message>
    <message>
        <source>지우기</source>
        <translation>C&amp;lear</translation>
    </message>
    <message>
        <source>이미지를 투명색으로 지웁니다.</source>
        <translation>Clears the image to the key colour.</translation>
    </message>
    <message>
        <source>복사</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>페이지를 복사하여 생성합니다.</source>
        <translation>Makes a copy of the page.</translation>
    </message>
    <message>
        <source>모아서 복사</source>
        <translation>&amp;Gather Copy</translation>
    </message>
    <message>
        <source>선택한 페이지를 모아서 하나의 페이지에 복사합니다.</source>
        <translation>Gathers the selected pages into one page.</translation>
    </message>
    <message>
        <source>블럭 복사</source>
        <translation>&amp;Block Copy</translation>
    </message>
    <message>
        <source>선택한 이미지 블럭을 새로운 페이지로 생성합니다.</source>
        <translation>Makes a new page of the selected block.</translation>
    </message>
    <message>
        <source>삭제</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>선택한 페이지를 삭제합니다.</source>
        <translation>Deletes the selected pages.</translation>
    </message>
    <message>
        <source>모두 삭제</source>
        <translation>Delete &amp;All</translation>
    </message>
    <message>
        <source>모든 페이지를 삭제합니다.</source>
        <translation>Deletes all pages.</translation>
    </message>
    <message>
        <source>에니메이션</source>
        <translation>&amp;Animation</translation>
    </message>
    <message>
        <source>지정한 갯수의 이미지를 애니메이션 출력합니다.</source>
        <translation>Plays the given number of tiles as an animation.</translation>
    </message>
    <message>
        <source>전체 보기</source>
        <translation>&amp;Whole Image</translation>
    </message>
    <message>
        <source>이미지 전체를 한 화면에 보여줍니다.</source>
        <translation>Shows the whole image in one window.</translation>
    </message>
    <message>
        <source>팔레트 보기</source>
        <translation>View &amp;Palette</translation>
    </message>
    <message>
        <source>이미지의 크기를 조절합니다.</source>
        <comment>view palette</comment>
        <translation>Shows the 256 colours of the palette.</translation>
    </message>
    <message>
        <source>확대</source>
        <translation>Zoom &amp;In</translation>
    </message>
    <message>
        <source>캔버스를 한 단계 확대합니다.</source>
        <translation>Zooms the canvas in one step.</translation>
    </message>
    <message>
        <source>축소</source>
        <translation>Zoom &amp;Out</translation>
    </message>
    <message>
        <source>캔버스를 한 단계 축소합니다.</source>
        <translation>Zooms the canvas out one step.</translation>
    </message>
    <message>
        <source>실제 크기</source>
        <translation>Actual &amp;Size</translation>
    </message>
    <message>
        <source>캔버스를 1배로 되돌립니다.</source>
        <translation>Brings the canvas back to 1x.</translation>
    </message>
    <message>
        <source>픽셀 격자</source>
        <translation>Pixel &amp;Grid</translation>
    </message>
    <message>
        <source>8배 이상에서 픽셀 사이에 옅은 격자를 그립니다.</source>
        <translation>Draws a faint grid between pixels at 8x and above.</translation>
    </message>
    <message>
        <source>GPF 지도</source>
        <translation>GPF &amp;Map</translation>
    </message>
    <message>
        <source>타일마다 GPF 파일에서 차지하는 바이트를 색으로 보여 줍니다</source>
        <translation>Colours every tile by the bytes it takes in a GPF file</translation>
    </message>
    <message>
        <source>이전 색</source>
        <translation>&amp;Previous Colour</translation>
    </message>
    <message>
        <source>현재 색을 팔레트의 앞 색으로 바꿉니다.</source>
        <translation>Makes the palette entry before the current colour current.</translation>
    </message>
    <message>
        <source>다음 색</source>
        <translation>&amp;Next Colour</translation>
    </message>
    <message>
        <source>현재 색을 팔레트의 다음 색으로 바꿉니다.</source>
        <translation>Makes the palette entry after the current colour current.</translation>
    </message>
    <message>
        <source>색 고르기</source>
        <translation>&amp;Choose Colour</translation>
    </message>
    <message>
        <source>팔레트의 256색 가운데 현재 색을 고릅니다.</source>
        <translation>Chooses the current colour among the 256 of the palette.</translation>
    </message>
    <message>
        <source>단축키</source>
        <translation>&amp;Keys</translation>
    </message>
    <message>
        <source>모든 명령과 그 키를 보여 줍니다.</source>
        <translation>Shows every command with its keys.</translation>
    </message>
    <message>
        <source>개발자 홈</source>
        <translation>&amp;Developer Site</translation>
    </message>
    <message>
        <source>개발자 홈페이지로 이동합니다.</source>
        <translation>Opens the developer&apos;s website.</translation>
    </message>
    <message>
        <source>Zentil Editor 정보</source>
        <translation>&amp;About Zentil Editor</translation>
    </message>
    <message>
        <source>판, 사용 허가와 쓰인 라이브러리를 보여 줍니다.</source>
        <translation>Shows the version, the licence and the libraries used.</translation>
    </message>
    <message>
        <source>스프라이트 시트 가져오기...</source>
        <translation>Import Sprite Sheet...</translation>
    </message>
    <message>
        <source>그림을 타일로 잘라 스프라이트 페이지 하나로 만듭니다.</source>
        <translation>Cuts a picture into tiles and makes one sprite page of them.</translation>
    </message>
    <message>
        <source>팔레트에 맞추기</source>
        <translation>Fit to Palette</translation>
    </message>
    <message>
        <source>선택한 스프라이트 페이지의 색을 스프라이트 팔레트의 가장 가까운 색으로 바꿉니다.</source>
        <translation>Changes the colours of the selected sprite pages to the nearest colours of the sprite palette.</translation>
    </message>
</context>
<context>
    <name>zentil::EditorMenus</name>
    <message>
        <source>%1 명령으로 그림을 열거나,
그림 파일을 이 창에 끌어다 놓으세요.

%2 명령은 시트를 타일로 잘라 스프라이트 페이지로 만들고,
%3 명령은 빈 이미지를 만듭니다.</source>
        <translation>Open a picture with %1,
or drop picture files on this window.

%2 cuts a sheet into tiles as a sprite page,
%3 makes an empty image.</translation>
    </message>
</context>
<context>
    <name>zentil::EditorStatus</name>
    <message>
        <source>캔버스 배율. Ctrl+휠, Ctrl+= 와 Ctrl+- 로 바꾸고 Ctrl+0 으로 1배로 돌아갑니다.</source>
        <translation>Canvas zoom. Change it with Ctrl+wheel, Ctrl+= and Ctrl+-; Ctrl+0 goes back to 1x.</translation>
    </message>
    <message>
        <source>현재 페이지를 GPF 파일로 저장할 때의 크기와, 포인터 아래 타일이 차지하는 크기</source>
        <translation>The size of the current page saved as a GPF file, and the share of the tile under the pointer</translation>
    </message>
    <message>
        <source>캔버스를 한 단계 축소합니다.</source>
        <translation>Zooms the canvas out one step.</translation>
    </message>
    <message>
        <source>캔버스를 한 단계 확대합니다.</source>
        <translation>Zooms the canvas in one step.</translation>
    </message>
    <message>
        <source>픽셀 격자</source>
        <translation>Pixel Grid</translation>
    </message>
    <message>
        <source>8배 이상에서 픽셀 사이에 옅은 격자를 그립니다.</source>
        <translation>Draws a faint grid between pixels at 8x and above.</translation>
    </message>
    <message numerus="yes">
        <source>되돌리기 %n단계</source>
        <translation>
            <numerusform>Undo: %n step</numerusform>
            <numerusform>Undo: %n steps</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>zentil::FileCommands</name>
    <message>
        <source>작업 파일 (*.%1)</source>
        <translation>Work File (*.%1)</translation>
    </message>
    <message>
        <source>불러오는 중...</source>
        <translation>Opening...</translation>
    </message>
    <message>
        <source>취소</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>불러오기</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>모든 포맷 (%1)</source>
        <translation>All Formats (%1)</translation>
    </message>
    <message>
        <source>저장하기</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>팔레트 불러오기</source>
        <translation>Open Palette</translation>
    </message>
    <message>
        <source>모든 팔레트 (%1)</source>
        <translation>All Palettes (%1)</translation>
    </message>
    <message>
        <source>팔레트 저장하기</source>
        <translation>Save Palette</translation>
    </message>
    <message>
        <source>팔레트 (*.PAL)</source>
        <translation>Palette (*.PAL)</translation>
    </message>
    <message>
        <source>다음 파일도 읽지 못했습니다.</source>
        <translation>These files could not be read either.</translation>
    </message>
    <message>
        <source>스프라이트 시트 가져오기</source>
        <translation>Import Sprite Sheet</translation>
    </message>
    <message>
        <source>모든 그림 (%1)</source>
        <translation>All pictures (%1)</translation>
    </message>
</context>
<context>
    <name>zentil::KeysWindow</name>
    <message>
        <source> (목록에서)</source>
        <translation> (in a list)</translation>
    </message>
    <message>
        <source>포커스가 있는 곳에서</source>
        <translation>Where the focus is</translation>
    </message>
    <message>
        <source>단축키</source>
        <translation>Keys</translation>
    </message>
    <message>
        <source>명령</source>
        <translation>Command</translation>
    </message>
    <message>
        <source>키</source>
        <translation>Keys</translation>
    </message>
    <message>
        <source>캔버스</source>
        <translation>Canvas</translation>
    </message>
    <message>
        <source>창</source>
        <translation>Window</translation>
    </message>
</context>
<context>
    <name>zentil::Language</name>
    <message>
        <source>한국어</source>
        <extracomment>The name of the language of this translation, written in that language: &quot;English&quot;, &quot;Deutsch&quot; ... The language menu lists the translations by it.</extracomment>
        <translation>English</translation>
    </message>
</context>
<context>
    <name>zentil::LanguageMenu</name>
    <message>
        <source>다음 시작부터 한국어로 표시됩니다.</source>
        <extracomment>Said in the language chosen, of itself: the editor speaks this language from its next start.</extracomment>
        <translation>The editor will be in English from its next start.</translation>
    </message>
</context>
<context>
    <name>zentil::PaintTool</name>
    <message>
        <source>그림 목록의 페이지는 읽기 전용이라 그릴 수 없습니다.</source>
        <translation>Pages in the picture list are read-only and cannot be drawn on.</translation>
    </message>
    <message>
        <source>8비트 페이지에만 그릴 수 있습니다.</source>
        <translation>Only 8-bit pages can be drawn on.</translation>
    </message>
</context>
<context>
    <name>zentil::PaletteChooser</name>
    <message>
        <source>색 %1: %2, %3, %4</source>
        <translation>Colour %1: %2, %3, %4</translation>
    </message>
    <message>
        <source>색 %1 바꾸기</source>
        <translation>Change Colour %1</translation>
    </message>
</context>
<context>
    <name>zentil::TConfigWin</name>
    <message>
        <source>검정</source>
        <translation>Black</translation>
    </message>
    <message>
        <source>밤색</source>
        <translation>Maroon</translation>
    </message>
    <message>
        <source>초록</source>
        <translation>Green</translation>
    </message>
    <message>
        <source>올리브</source>
        <translation>Olive</translation>
    </message>
    <message>
        <source>남색</source>
        <translation>Navy</translation>
    </message>
    <message>
        <source>보라</source>
        <translation>Purple</translation>
    </message>
    <message>
        <source>청록</source>
        <translation>Teal</translation>
    </message>
    <message>
        <source>회색</source>
        <translation>Grey</translation>
    </message>
    <message>
        <source>은색</source>
        <translation>Silver</translation>
    </message>
    <message>
        <source>빨강</source>
        <translation>Red</translation>
    </message>
    <message>
        <source>연두</source>
        <translation>Lime</translation>
    </message>
    <message>
        <source>노랑</source>
        <translation>Yellow</translation>
    </message>
    <message>
        <source>파랑</source>
        <translation>Blue</translation>
    </message>
    <message>
        <source>자홍</source>
        <translation>Fuchsia</translation>
    </message>
    <message>
        <source>하늘</source>
        <translation>Aqua</translation>
    </message>
    <message>
        <source>흰색</source>
        <translation>White</translation>
    </message>
</context>
<context>
    <name>zentil::TMainWin</name>
    <message>
        <source>페이지나 들어 올린 블럭을 1픽셀 이동</source>
        <translation>Nudge the page or the lifted block one pixel</translation>
    </message>
    <message>
        <source>이동시킨 블럭을 페이지에 적용</source>
        <translation>Apply the nudged block to the page</translation>
    </message>
    <message>
        <source>끌기를 취소하거나 들어 올린 블럭을 내려놓기</source>
        <translation>Cancel a drag, or put a lifted block away</translation>
    </message>
</context>
<context>
    <name>zentil::TSheetWin</name>
    <message>
        <source>%1: %2 x %3 픽셀</source>
        <translation>%1: %2 x %3 pixels</translation>
    </message>
    <message>
        <source>이 크기로는 타일이 하나도 들어가지 않습니다.</source>
        <translation>Not one whole tile of this size fits.</translation>
    </message>
    <message>
        <source>가로 %1 x 세로 %2 타일, 모두 %3개</source>
        <translation>%1 across x %2 down, %3 tiles in all</translation>
    </message>
</context>
<context>
    <name>zentil::WorkSession</name>
    <message>
        <source>저장하기</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>저장하지 않고 종료(&amp;Q)</source>
        <translation>&amp;Quit Without Saving</translation>
    </message>
    <message>
        <source>저장하지 않고 열기(&amp;O)</source>
        <translation>&amp;Open Without Saving</translation>
    </message>
    <message>
        <source>모두 저장(&amp;S)</source>
        <translation>&amp;Save All</translation>
    </message>
    <message>
        <source>취소(&amp;C)</source>
        <translation>&amp;Cancel</translation>
    </message>
</context>
</TS>
